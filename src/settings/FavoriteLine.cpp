#include "settings/FavoriteLine.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "store/SplitField.h"

namespace tinsori {

namespace {

// U+FFAB in UTF-8: stands for a comma inside a stored name.
constexpr std::string_view kCommaStandIn = "\xEF\xBE\xAB";

// Scale offsets and repeat intervals beyond these give no playable note anyway; bounding them
// keeps the note walk short and its arithmetic far from overflow.
constexpr int kMaxScaleStep = 9999;

int ClampInt(long value, int low, int high) {
    return static_cast<int>(std::clamp<long>(value, low, high));
}

int ClampTo(const SettingSpec& spec, long value) {
    return ClampInt(value, spec.lowest, spec.highest);
}

// A real of the line (in its stored form) in the record's unit, brought into range.
double RealInRange(const SettingSpec& spec, long stored) {
    return std::clamp(spec.FromStored(static_cast<double>(stored)), spec.low(), spec.high());
}

// Truncates toward zero like the stored form of every real, without overflowing on junk.
long long TruncateScaled(double value, double factor) {
    double scaled = value * factor;
    if (!(scaled == scaled)) return 0;  // NaN
    scaled = std::clamp(scaled, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX));
    return static_cast<long long>(scaled);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos)).append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

// Takes the next field of the line as a number; an absent field reads as 0.
long NextNumber(std::string& line) {
    return FieldToInt(SplitField(line));
}

int ValidConfiguration(long value) {
    switch (value) {
        case kCenterPendulum:
        case kAllIndependent:
        case kChimesOnly:
        case kQuantized:
            return static_cast<int>(value);
        default:
            return kCenterPendulum;
    }
}

int Flag(long value) {
    return value != 0 ? 1 : 0;
}

std::optional<ScaleDef> ParseScale(std::string& line, long count) {
    if (count < 1 || count > kMaxLineIntervals) return std::nullopt;
    ScaleDef scale;
    scale.numNotes = static_cast<int>(std::min<long>(count, kMaxScaleNotes));
    scale.repeatInterval = ClampInt(NextNumber(line), 1, kMaxScaleStep);
    // Every interval is consumed so the fields after them land where they belong; offsets past
    // what a scale holds are dropped.
    for (long k = 0; k < count; ++k) {
        int offset = ClampInt(NextNumber(line), -kMaxScaleStep, kMaxScaleStep);
        if (k < kMaxScaleNotes) scale.notes[k] = offset;
    }
    return scale;
}

}  // namespace

std::string FormatSettingsValues(const ChimeSettings& s, const ScaleTable& scales) {
    ScaleDef fallback;
    fallback.numNotes = 0;
    int count = scales.count();
    int index = std::clamp(s.scaleIndex.load(), 0, std::max(count - 1, 0));
    const ScaleDef& scale = count > 0 ? scales.at(index) : fallback;
    int numNotes = std::clamp(scale.numNotes, 0, kMaxScaleNotes);

    std::string out;
    auto add = [&out](long long v) {
        if (!out.empty()) out += ',';
        out += std::to_string(v);
    };
    add(s.instrument.load());
    add(s.numChimes.load());
    add(s.baseNote);
    add(0);
    add(s.transpose);
    add(s.configuration.load());
    add(s.shuffle);
    add(TruncateScaled(s.pinkness.load(), setting::kPinkness.storedPerUnit));
    add(s.constantWind);
    add(s.windSpeed);
    add(numNotes);
    add(scale.repeatInterval);
    for (int k = 0; k < numNotes; ++k) add(scale.notes[k]);
    add(s.fractal.load());
    add(TruncateScaled(s.closeness.load(), setting::kCloseness.storedPerUnit));
    return out;
}

std::string StoredFavoriteName(std::string_view displayName) {
    return ReplaceAll(displayName, ",", kCommaStandIn);
}

std::string DisplayFavoriteName(std::string_view storedName) {
    return ReplaceAll(storedName, kCommaStandIn, ",");
}

std::string FavoriteNameFromEdit(std::string_view editText) {
    std::string name = CutToUtf16Units(editText, kMaxFavoriteNameChars);
    // A character below 32 (a pasted tab or line break) would end the name field of the stored
    // line early and shift every value after it, so it becomes a space.
    std::replace_if(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
    name.erase(0, name.find_first_not_of(' '));
    return name;
}

std::string CutToUtf16Units(std::string_view text, std::size_t units) {
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t bytes = lead < 0x80    ? 1
                            : lead >= 0xF0 ? 4
                            : lead >= 0xE0 ? 3
                            : lead >= 0xC0 ? 2
                                           : 1;
        std::size_t width = bytes == 4 ? 2 : 1;  // astral characters take a surrogate pair
        if (used + width > units) break;
        used += width;
        i = std::min(i + bytes, text.size());
    }
    return std::string(text.substr(0, i));
}

SettingsLineValues ParseSettingsValues(std::string line) {
    SettingsLineValues v;
    v.instrument = ClampTo(setting::kInstrument, NextNumber(line));
    v.numChimes = ClampInt(NextNumber(line), 1, kMaxChimes);
    v.baseNote = ClampInt(NextNumber(line), 0, 127);
    v.scaleField = ClampInt(NextNumber(line), INT_MIN, INT_MAX);
    v.transpose = ClampTo(setting::kTranspose, NextNumber(line));
    v.configuration = ValidConfiguration(NextNumber(line));
    v.shuffle = Flag(NextNumber(line));
    v.pinkness = RealInRange(setting::kPinkness, NextNumber(line));
    v.constantWind = Flag(NextNumber(line));
    v.wind = ClampTo(setting::kWind, NextNumber(line));
    v.scale = ParseScale(line, NextNumber(line));
    v.fractal = Flag(NextNumber(line));
    const long closeness = NextNumber(line);
    v.closeness = closeness == 0 ? 1.0 : RealInRange(setting::kCloseness, closeness);
    return v;
}

}  // namespace tinsori
