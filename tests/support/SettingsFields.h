#pragma once

#include <ostream>

#include "model/ChimeSettings.h"

namespace tinsori::testing_support {

// The settings a favorite line or the profile carries, as one value: a test names only the
// fields it expects to differ from a fresh record's, and a mismatch prints every field.
struct SettingsFields {
    int instrument = 14;
    int channel = 0;
    int numChimes = 7;
    int baseNote = 52;
    int scaleIndex = 0;
    int transpose = -3;
    int windSpeed = 404;
    int windNow = 404;
    double pinkness = 1.0;
    double length = 1500.0;
    double closeness = 1.533;
    int configuration = kCenterPendulum;
    int shuffle = 0;
    int fractal = 0;
    int chords = 0;
    int constantWind = 0;
    int prismoraEnabled = 1;
    int holdNotes = 1;

    bool operator==(const SettingsFields&) const = default;
};

inline SettingsFields FieldsOf(const ChimeSettings& s) {
    return {s.instrument,   s.channel,         s.numChimes, s.baseNote, s.scaleIndex,
            s.transpose,    s.windSpeed,       s.windNow,   s.pinkness, s.length,
            s.closeness,    s.configuration,   s.shuffle,   s.fractal,  s.chords,
            s.constantWind, s.prismoraEnabled, s.holdNotes};
}

inline std::ostream& operator<<(std::ostream& out, const SettingsFields& f) {
    return out << "{instrument " << f.instrument << ", channel " << f.channel << ", numChimes "
               << f.numChimes << ", baseNote " << f.baseNote << ", scaleIndex " << f.scaleIndex
               << ", transpose " << f.transpose << ", windSpeed " << f.windSpeed << ", windNow "
               << f.windNow << ", pinkness " << f.pinkness << ", length " << f.length
               << ", closeness " << f.closeness << ", configuration " << f.configuration
               << ", shuffle " << f.shuffle << ", fractal " << f.fractal << ", chords " << f.chords
               << ", constantWind " << f.constantWind << ", prismoraEnabled " << f.prismoraEnabled
               << ", holdNotes " << f.holdNotes << "}";
}

}  // namespace tinsori::testing_support
