#pragma once

#include <cstdint>

#include "music/ScaleTable.h"

namespace tinsori {

// Walks a scale's candidate pitches (offsets repeating every `repeatInterval`, shifted by the
// transposition) against a pitch counter running upward from 12. A candidate is matched by
// equality only, so a scale whose offsets do not rise stops yielding notes at the first one that
// falls back. Whatever the scale holds, the walk stays inside `notes` and ends with its range.
class ScaleWalk {
public:
    ScaleWalk(const ScaleDef& scale, int transpose);

    // Calls `onNote(j)` for every scale note j in lowest..highest (lowest >= 12), ascending;
    // stops early when `onNote` returns false.
    template <typename OnNote>
    void forEachNote(int highest, OnNote onNote) {
        for (int j = kFirstPitch; j <= highest; ++j) {
            if (j != candidate_) continue;
            if (!onNote(j)) return;
            advance();
        }
    }

    static constexpr int kFirstPitch = 12;

private:
    int64_t candidateAt(int64_t k) const;
    void advance();
    void skipBelowFirstPitch();

    const ScaleDef& scale_;
    int numNotes_;
    int64_t repeat_;
    int64_t transpose_;
    int64_t index_ = 0;
    int64_t candidate_ = 0;
};

}  // namespace tinsori
