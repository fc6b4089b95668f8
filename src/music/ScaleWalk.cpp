#include "music/ScaleWalk.h"

#include <algorithm>

namespace tinsori {

ScaleWalk::ScaleWalk(const ScaleDef& scale, int transpose)
    : scale_(scale),
      numNotes_(std::clamp(scale.numNotes, 1, kMaxScaleNotes)),
      repeat_(std::max(scale.repeatInterval, 1)),
      transpose_(transpose) {
    skipBelowFirstPitch();
}

int64_t ScaleWalk::candidateAt(int64_t k) const {
    return scale_.notes[k % numNotes_] + transpose_ + kFirstPitch + repeat_ * (k / numNotes_);
}

void ScaleWalk::advance() {
    candidate_ = candidateAt(++index_);
}

// Advances while the candidate lies below the first pitch. Whole repeats that lie below it are
// skipped at once, so a far negative offset or transposition cannot make this loop long.
void ScaleWalk::skipBelowFirstPitch() {
    int64_t top = *std::max_element(scale_.notes.begin(), scale_.notes.begin() + numNotes_);
    int64_t shortfall = -(top + transpose_);  // repeats needed before the cycle reaches pitch 12
    int64_t cycles = shortfall > 0 ? (shortfall + repeat_ - 1) / repeat_ : 0;
    index_ = cycles * numNotes_;
    candidate_ = candidateAt(index_);
    while (candidate_ < kFirstPitch) advance();
}

}  // namespace tinsori
