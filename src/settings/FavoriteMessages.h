#pragma once

#include <string_view>

namespace tinsori {

// The favorites' message boxes: text, then caption. "%s" is a display name.
inline constexpr std::string_view kReplaceFavoriteText =
    "Are you sure you wish to replace the favorite preset \"%s\"?";
inline constexpr std::string_view kReplaceFavoriteCaption = "Replace a Favorite";
inline constexpr std::string_view kFavoritesFullText =
    "All %ld favorties have been filled.  Please remove your 'least' favorite first.";
inline constexpr std::string_view kFavoritesFullCaption = "Sorry";
inline constexpr std::string_view kRemoveFavoriteText =
    "Are you sure you wish to remove the favorite preset \"%s\"?";
inline constexpr std::string_view kRemoveFavoriteCaption = "Remove a Favorite";
inline constexpr std::string_view kOutOfScalesText =
    "Out of space for new scales.  Using different scale than what was intended";
inline constexpr std::string_view kOutOfScalesCaption = "Notice";
inline constexpr std::string_view kScaleForName = "Scale for %s";

}  // namespace tinsori
