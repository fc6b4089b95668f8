#pragma once

#include <algorithm>

namespace tinsori {

// One setting as the store keeps it, the model ranges it and a slider shows it. Its range is
// written as slider positions; the record's value is a position divided by `perUnit`, and the
// store keeps the record's value times `storedPerUnit`, truncated.
struct SettingSpec {
    const char* storeName;  // the value name in section "Settings"
    int lowest;             // the range, in slider positions
    int highest;
    int perUnit;        // slider positions per unit of the record's value
    int storedPerUnit;  // the stored integer per unit of the record's value
    int storedDefault;  // what an absent value reads as, in the stored form

    // The range and the default in the record's unit.
    constexpr double low() const { return static_cast<double>(lowest) / perUnit; }
    constexpr double high() const { return static_cast<double>(highest) / perUnit; }
    constexpr double defaultValue() const {
        return static_cast<double>(storedDefault) / storedPerUnit;
    }
    // A whole-number setting brought into range.
    constexpr int Clamp(int value) const { return std::clamp(value, lowest, highest); }
    // The record's value of a slider position, and the position of a value (truncated).
    constexpr double FromPosition(int position) const {
        return Clamp(position) / static_cast<double>(perUnit);
    }
    constexpr int Position(double value) const { return static_cast<int>(value * perUnit); }
    // The record's value of a stored integer (read as unsigned 32 bits where it is a real).
    constexpr double FromStored(double stored) const { return stored / storedPerUnit; }
};

namespace setting {

inline constexpr SettingSpec kWind{"Wind Speed", 2, 940, 1, 1, 404};
inline constexpr SettingSpec kPinkness{"Pinkness", 0, 1000, 1000, 10000, 10000};
inline constexpr SettingSpec kCloseness{"Closeness", 100, 3200, 1000, 1000, 1533};
inline constexpr SettingSpec kLength{"Length", 650, 2700, 1, 1, 1500};
inline constexpr SettingSpec kInstrument{"Instrument", 0, 127, 1, 1, 14};
inline constexpr SettingSpec kBaseNote{"Base Note", 12, 124, 1, 1, 52};
inline constexpr SettingSpec kTranspose{"Transpose", -12, 12, 1, 1, -3};
inline constexpr SettingSpec kChannel{"Channel", 0, 15, 1, 1, 0};
// Kept per channel in section "Midi", as "Volume <channel>".
inline constexpr SettingSpec kVolume{"Volume", 0, 127, 1, 1, 80};

}  // namespace setting

}  // namespace tinsori
