#pragma once

#include <array>
#include <cstdint>

namespace tinsori {

// One sounded strike, as a picture of the chimes needs it.
struct StrikeRecord {
    uint32_t tick = 0;  // when it sounded, on the program's tick clock
    int16_t chime = 0;
    int16_t velocity = 0;
};

// The latest strikes in the order they sounded, oldest dropped first. Fixed size: the simulation
// thread keeps one and allocates nothing while it runs.
class StrikeLog {
public:
    static constexpr int kCapacity = 32;

    void add(uint32_t tick, int chime, int velocity) {
        records_[total_ % kCapacity] =
            StrikeRecord{tick, static_cast<int16_t>(chime), static_cast<int16_t>(velocity)};
        ++total_;
    }
    // Strikes ever added, so that a reader can tell new ones from those it has seen.
    uint32_t total() const { return total_; }
    int size() const { return total_ < kCapacity ? static_cast<int>(total_) : kCapacity; }
    // i = 0 is the newest.
    const StrikeRecord& newest(int i) const { return records_[(total_ - 1 - i) % kCapacity]; }

private:
    std::array<StrikeRecord, kCapacity> records_{};
    uint32_t total_ = 0;
};

}  // namespace tinsori
