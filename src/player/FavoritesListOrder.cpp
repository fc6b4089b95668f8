#include "player/FavoritesListOrder.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

int IndexOf(const std::vector<std::string>& entries,
            std::vector<std::string>::const_iterator found) {
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

}  // namespace

int FavoriteInsertPosition(const std::vector<std::string>& entries, const std::string& name) {
    const auto after = std::ranges::find_if(
        entries, [&name](const std::string& entry) { return LessIgnoringCase(name, entry); });
    return static_cast<int>(after - entries.begin());
}

int FindFavoriteEntry(const std::vector<std::string>& entries, const std::string& name) {
    const int exact = IndexOf(entries, std::ranges::find(entries, name));
    if (exact >= 0) return exact;
    return IndexOf(entries, std::ranges::find_if(entries, [&name](const std::string& entry) {
                       return EqualsIgnoringCase(entry, name);
                   }));
}

}  // namespace tinsori
