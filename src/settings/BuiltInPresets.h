#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/FavoritesContext.h"

namespace tinsori {

class ProfileStore;

inline constexpr int kBuiltInPresetCount = 43;

// The favorites installed on the first run, and the sibling product's pattern lines (same
// names, numbers this program never reads).
extern const std::array<std::string_view, kBuiltInPresetCount> BuiltInFavorites;
extern const std::array<std::string_view, kBuiltInPresetCount> BuiltInPatterns;

// Copies the built-in favorites into "Favorites" and the patterns into "Prismora", each set
// once (its "AddDefaultsNow" flag), skipping lines already stored and filling gaps first. False
// when the profile did not take them.
bool InstallBuiltInPresets(ProfileStore& store);

// A command line whose first field is "Settings" (any case) applies the rest under the name
// "Auto Settings" and sets `startedWithSettings`. Lines are cut to 255 characters.
void ApplyCommandLineSettings(FavoritesContext& ctx, const std::string& commandLine);

}  // namespace tinsori
