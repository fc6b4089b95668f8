#pragma once

#include <string>
#include <vector>

namespace tinsori {

class ProfileStore;

// The recently used favorites, oldest first, as the tray menu offers them.
inline constexpr int kRecentLimit = 7;
// Limit that removes the name instead of adding it.
inline constexpr int kRecentRemove = -1;
// Menu commands 7777..7783 stand for the entries 0..6.
inline constexpr int kRecentFirstCommand = 7777;

// Limit kRecentLimit moves the name to the most recent place (adding it, and dropping the
// oldest beyond the limit); kRecentRemove deletes its entry and leaves the gap. False when the
// profile did not take the change.
bool UpdateRecentFavorites(ProfileStore& store, const std::string& displayName, int limit);

// Entry `index` ("Item%d"), empty when absent or unreadable.
std::string ReadRecentFavorite(ProfileStore& store, int index);

// "NumItems", brought into the range of entries the list can hold.
int RecentFavoriteCount(ProfileStore& store);

}  // namespace tinsori
