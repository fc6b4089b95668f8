#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/ChimeSettings.h"
#include "music/ScaleTable.h"

namespace tinsori {

// A favorite is one text line: its name, a comma, then the values part.
inline constexpr int kMaxFavoriteNameChars = 127;
// Read buffers, in bytes as the store counts them: a name of 127 characters, a line of 254.
inline constexpr uint32_t kFavoriteNameBytes = (kMaxFavoriteNameChars + 1) * 2;
inline constexpr uint32_t kFavoriteLineBytes = 510;
// Interval counts a line may carry; a scale keeps at most kMaxScaleNotes of them.
inline constexpr int kMaxLineIntervals = 39;
// Scale names are read back from the store with room for 62 characters.
inline constexpr int kMaxScaleNameChars = 62;

// The values part of the current settings and the current scale, field 5 always 0.
std::string FormatSettingsValues(const ChimeSettings& settings, const ScaleTable& scales);

// Stored names carry U+FFAB where the display name has a comma, so that the first comma of a
// line always ends the name.
std::string StoredFavoriteName(std::string_view displayName);
std::string DisplayFavoriteName(std::string_view storedName);

// The display name typed into the edit field: cut to 127 characters, control characters turned
// into spaces, leading spaces removed.
std::string FavoriteNameFromEdit(std::string_view editText);

// `text` cut to at most `units` UTF-16 code units, never inside a character.
std::string CutToUtf16Units(std::string_view text, std::size_t units);

// A values part taken apart. A line is untrusted: every number comes back inside the range its
// setting allows, and a missing field reads as 0.
struct SettingsLineValues {
    int instrument = 0;
    int numChimes = 1;
    int baseNote = 0;
    int scaleField = 0;  // field 5, raw: an index, or -1 to ask for the line's own scale
    int transpose = 0;
    int configuration = kCenterPendulum;
    int shuffle = 0;
    double pinkness = 0.0;
    int constantWind = 0;
    int wind = 2;
    // Present when the line describes a scale (1..39 intervals); only its first 18 offsets are
    // kept. The id is -1 and the name empty.
    std::optional<ScaleDef> scale;
    int fractal = 0;
    double closeness = 1.0;
};

SettingsLineValues ParseSettingsValues(std::string values);

}  // namespace tinsori
