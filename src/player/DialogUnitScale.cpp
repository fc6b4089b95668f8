#include "player/DialogUnitScale.h"

#include <algorithm>

namespace tinsori {

namespace {

constexpr int kLetterCount = sizeof(DialogUnitScale::kLetters) - 1;

}  // namespace

DialogUnitScale::DialogUnitScale(int lettersWidth, int height)
    : baseX_(std::max(1, (lettersWidth + kLetterCount / 2) / kLetterCount)),
      baseY_(std::max(1, height)) {}

void DialogUnitScale::WidenToFit(int pixels, int units) {
    if (units <= 0) return;
    while (toX(units) < pixels) ++baseX_;
}

}  // namespace tinsori
