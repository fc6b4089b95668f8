#include "settings/SliderPositions.h"

namespace tinsori {

SliderPositions SliderPositionsOf(const ChimeSettings& s) {
    return {s.windNow.load(), setting::kPinkness.Position(s.pinkness.load()),
            setting::kCloseness.Position(s.closeness.load()),
            setting::kLength.Position(s.length.load()), s.volume.load()};
}

}  // namespace tinsori
