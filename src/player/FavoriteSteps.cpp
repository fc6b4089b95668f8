#include "player/FavoriteSteps.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "settings/FavoriteLine.h"
#include "settings/Favorites.h"
#include "settings/FavoritesView.h"

namespace tinsori {

namespace {

// The combo box's order: ASCII letters without regard to case, everything else by code point.
bool ListOrderLess(const std::string& a, const std::string& b) {
    return LessIgnoringCase(a, b);
}

// Where a step starts: the current favorite, else the list's selection, which stays after a
// control changes the settings.
std::optional<std::string> StepAnchor(FavoritesContext& ctx) {
    if (std::optional<std::string> current = CurrentFavoriteName(ctx)) return current;
    return ctx.view.SelectedFavorite();
}

size_t StepTarget(const std::vector<std::string>& names, const std::optional<std::string>& anchor,
                  int step) {
    const auto count = static_cast<long>(names.size());
    auto at = anchor ? std::find(names.begin(), names.end(), *anchor) : names.end();
    // Off the list, a step forward counts from just before the first entry, a step back from
    // just after the last.
    long from = at != names.end() ? at - names.begin() : (step > 0 ? -1 : count);
    return static_cast<size_t>(((from + step) % count + count) % count);
}

}  // namespace

std::vector<std::string> SortedFavoriteNames(ProfileStore& store) {
    std::vector<std::string> names;
    for (FavoriteEntry& favorite : ListFavorites(store))
        if (std::find(names.begin(), names.end(), favorite.displayName) == names.end())
            names.push_back(std::move(favorite.displayName));
    std::stable_sort(names.begin(), names.end(), ListOrderLess);
    return names;
}

std::optional<std::string> CurrentFavoriteName(FavoritesContext& ctx) {
    const std::string values = FormatSettingsValues(ctx.settings, ctx.scales);
    if (std::optional<std::string> selected = ctx.view.SelectedFavorite()) {
        // The first slot of a name is the one applying it reads.
        for (const FavoriteEntry& favorite : ListFavorites(ctx.store)) {
            if (favorite.displayName != *selected) continue;
            if (favorite.values == values) return selected;
            break;
        }
    }
    std::string name;
    if (FindCurrentFavorite(ctx, &name) < 0) return std::nullopt;
    return name;
}

std::optional<std::string> StepFavorite(FavoritesContext& ctx, int step) {
    const std::vector<std::string> names = SortedFavoriteNames(ctx.store);
    if (names.empty()) return std::nullopt;
    const std::string& target = names[StepTarget(names, StepAnchor(ctx), step)];
    ApplyFavorite(ctx, target);
    ctx.view.SelectFavorite(target);
    return target;
}

std::string MediaTitle(FavoritesContext& ctx) {
    return CurrentFavoriteName(ctx).value_or(kNoFavoriteTitle);
}

}  // namespace tinsori
