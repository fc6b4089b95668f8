#include "model/Pink.h"

#include <cmath>

namespace tinsori {

CPink::CPink(Random& random) : random_(&random) {
    SetRange(0, 100000, 500);
}

void CPink::SetRange(int low, int high, int cycle) {
    // Callers outside the program's own ranges (a hand-edited wind, say) must not divide by
    // zero or shift past the row table: keep at least two rows and a span of one.
    cycle_ = cycle < 4 ? 4 : cycle;
    int rows = static_cast<int16_t>(static_cast<int>(std::log(cycle_) / std::log(2)));
    rows_ = rows > kMaxRows ? kMaxRows : (rows < 2 ? 2 : rows);
    counterPeriod_ = 1 << rows_;
    counter_ = random_->next() % (counterPeriod_ - 2) + 1;
    rowSpan_ = (high - low) / rows_;
    if (rowSpan_ < 1) rowSpan_ = 1;
    total_ = (low + high) / 2;
    for (int i = 0; i < rows_; ++i) rowValue_[i] = rowSpan_ / 2;
}

int CPink::Next() {
    int previous = counter_;
    if (++counter_ >= counterPeriod_) counter_ = 0;
    int changed = previous ^ counter_;
    for (int i = 0; i < rows_; ++i) {
        if (changed & (1 << i)) {
            total_ -= rowValue_[i];
            rowValue_[i] = random_->next() % rowSpan_;
            total_ += rowValue_[i];
        }
    }
    return total_;
}

}  // namespace tinsori
