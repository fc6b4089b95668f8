#pragma once

#include "model/ChimeSettings.h"

namespace tinsori {

// Where the five sliders stand for the settings record: the front ends move their bars to these
// and never scale the record themselves.
struct SliderPositions {
    int wind = 0;
    int pinkness = 0;
    int closeness = 0;
    int length = 0;
    int volume = 0;
};

SliderPositions SliderPositionsOf(const ChimeSettings& settings);

}  // namespace tinsori
