#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/FavoritesContext.h"

namespace tinsori {

class ProfileStore;

// What the media controls show when the settings are on no favorite.
inline constexpr char kNoFavoriteTitle[] = "Tinsori";

// The favorite names in the Favorites list's order: sorted without regard to ASCII case, names
// equal but for case in slot order. A name stored twice appears once, since only its first slot
// can be applied by name.
std::vector<std::string> SortedFavoriteNames(ProfileStore& store);

// The favorite the settings are on: the list's selection when its values equal the settings
// (two favorites may share values), else the one FindCurrentFavorite finds; nothing when none is.
std::optional<std::string> CurrentFavoriteName(FavoritesContext& ctx);

// Applies the favorite `step` places after (negative: before) the current one in the list's
// order, wrapping around at either end, as choosing it in the Favorites list would, and selects
// it. Settings changed since a favorite was chosen step from the list's selection; with neither,
// a step forward starts at the first favorite and a step back at the last. Returns the applied
// name, or nothing when there are no favorites.
std::optional<std::string> StepFavorite(FavoritesContext& ctx, int step);

// The title the media controls show: the current favorite's name, or "Tinsori".
std::string MediaTitle(FavoritesContext& ctx);

}  // namespace tinsori
