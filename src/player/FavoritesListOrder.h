#pragma once

#include <string>
#include <vector>

namespace tinsori {

// The Favorites list keeps itself sorted without regard to case, as the list the favorites came
// from, and finds a name as the window system's sorted lists do.

// Where `name` goes among `entries`: after every entry that does not sort above it.
int FavoriteInsertPosition(const std::vector<std::string>& entries, const std::string& name);

// The entry showing `name`: the one spelled exactly so, else the first one differing only in
// case; -1 when none does.
int FindFavoriteEntry(const std::vector<std::string>& entries, const std::string& name);

}  // namespace tinsori
