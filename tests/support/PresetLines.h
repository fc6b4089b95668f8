#pragma once

#include <string>

namespace tinsori::testing_support {

// The values part of the first built-in preset, "Acoustic Journey": instrument 24, 10 chimes,
// base note 45, transpose -3, configuration 1, pinkness 0.119, wind 579, the scale 0 4 7 11
// repeating every 12, fractal off, closeness 1.0.
inline const std::string kFirstPresetValues = "24,10,45,0,-3,1,0,1190,0,579,4,12,0,4,7,11,0,1000";

// The same values with another wind speed, the mark that tells test favorites apart.
inline std::string FirstPresetValuesWithWind(int wind) {
    std::string values = kFirstPresetValues;
    return values.replace(values.find(",579,") + 1, 3, std::to_string(wind));
}

}  // namespace tinsori::testing_support
