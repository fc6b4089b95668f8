#include "settings/RecentFavorites.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "settings/FavoriteLine.h"
#include "store/ProfileStore.h"

namespace tinsori {

namespace {

constexpr std::string_view kSection = "MRU Favorites";
constexpr std::string_view kCountValue = "NumItems";
// Removal looks at this many entries; a damaged "NumItems" is held to it as well.
constexpr int kRecentScan = 20;

std::string ItemName(int index) {
    return "Item" + std::to_string(index);
}

void WriteItem(ProfileStore& store, int index, const std::string& name) {
    store.WriteString(kSection, ItemName(index), &name);
}

void RemoveRecent(ProfileStore& store, const std::string& name) {
    for (int i = 0; i < kRecentScan; ++i) {
        if (ReadRecentFavorite(store, i) == name) {
            store.WriteString(kSection, ItemName(i), nullptr);
            return;
        }
    }
}

// Moves a name already in the list to the most recent place; false when it is not there.
bool MoveToEnd(ProfileStore& store, const std::string& name, int count) {
    bool matched = false;
    for (int i = 0; i < count; ++i) {
        std::string entry = ReadRecentFavorite(store, i);
        if (matched) {
            WriteItem(store, i - 1, entry);
        } else if (EqualsIgnoringCase(entry, name)) {
            matched = true;
        }
    }
    if (matched) WriteItem(store, count - 1, name);
    return matched;
}

void AddRecent(ProfileStore& store, const std::string& name, int limit) {
    int count = RecentFavoriteCount(store);
    if (count > 0 && MoveToEnd(store, name, count)) return;
    while (count >= limit && count > 0) {
        for (int i = 1; i < count; ++i) WriteItem(store, i - 1, ReadRecentFavorite(store, i));
        store.WriteString(kSection, ItemName(count - 1), nullptr);
        --count;
    }
    store.WriteInt(kSection, kCountValue, count + 1);
    WriteItem(store, count, name);
}

}  // namespace

bool UpdateRecentFavorites(ProfileStore& store, const std::string& displayName, int limit) {
    ProfileStore::Transaction transaction(store);
    if (limit == kRecentRemove) {
        RemoveRecent(store, displayName);
    } else if (limit > 0) {
        AddRecent(store, displayName, limit);
    }
    return transaction.Commit();
}

std::string ReadRecentFavorite(ProfileStore& store, int index) {
    std::string name;
    store.ReadString(kSection, ItemName(index), name, kFavoriteNameBytes);
    return name;
}

int RecentFavoriteCount(ProfileStore& store) {
    return std::clamp(store.ReadInt(kSection, kCountValue, 0), 0, kRecentScan);
}

}  // namespace tinsori
