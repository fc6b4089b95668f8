#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace tinsori {

// Hands the newest value from one writer thread to one reader thread without either side ever
// waiting: three slots, one being written, one being read and one in between, swapped with a
// single atomic exchange. The reader sees every value whole and may skip values published while
// it was not looking; the writer never learns whether anyone reads.
template <typename T>
class LatestValue {
public:
    // The writer fills this slot completely, then publishes it. It holds an older value (or the
    // reader's leftovers), never the one just published.
    T& back() { return slots_[back_]; }
    void publish() {
        back_ = middle_.exchange(static_cast<uint8_t>(back_ | kFresh), std::memory_order_acq_rel) &
                kIndex;
    }

    // The reader's view of the newest published value; stays put until the next call.
    const T& latest() {
        if (middle_.load(std::memory_order_relaxed) & kFresh) {
            front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndex;
        }
        return slots_[front_];
    }

private:
    static constexpr uint8_t kIndex = 0x3;
    static constexpr uint8_t kFresh = 0x4;

    std::array<T, 3> slots_{};
    uint8_t back_ = 0;                // the writer's alone
    std::atomic<uint8_t> middle_{1};  // slot index, plus kFresh when not yet taken by the reader
    uint8_t front_ = 2;               // the reader's alone
};

}  // namespace tinsori
