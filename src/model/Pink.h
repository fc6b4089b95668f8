#pragma once

#include <array>
#include <cstdint>

#include "model/Random.h"

namespace tinsori {

// Integer pink (1/f) noise by the Voss-McCartney method: rows redrawn when their bit of a step
// counter changes, summed into one slowly wandering value. Draws from its thread's generator.
class CPink {
public:
    explicit CPink(Random& random);

    // (Re)initialises all state; the first value is the middle of the range.
    void SetRange(int low, int high, int cycle);
    // Advances one step and returns the new total.
    int Next();

    int value() const { return total_; }
    int rows() const { return rows_; }
    int rowSpan() const { return rowSpan_; }
    int counterPeriod() const { return counterPeriod_; }

private:
    static constexpr int kMaxRows = 30;

    Random* random_;
    int rows_ = 0;
    int cycle_ = 0;
    int rowSpan_ = 1;
    int total_ = 0;
    int counter_ = 0;
    int counterPeriod_ = 1;
    std::array<int, 32> rowValue_{};
};

}  // namespace tinsori
