#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/TickClock.h"
#include "platform/WakeEvent.h"

namespace tinsori::test {

// A clock the test moves by hand.
class ManualClock : public TickClock {
public:
    uint32_t now() const override { return tick_.load(); }
    void advance(uint32_t ms) { tick_ += ms; }
    void set(uint32_t tick) { tick_ = tick; }

private:
    std::atomic<uint32_t> tick_{0};
};

// A wake event that never blocks: it notes each requested wait and moves the clock by it, so
// the recorded ticks show the pauses between messages.
class StepWakeEvent : public WakeEvent {
public:
    explicit StepWakeEvent(ManualClock* clock = nullptr) : clock_(clock) {}
    void signal() override {}
    void reset() override {}
    WaitResult wait(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        if (clock_) clock_->advance(milliseconds);
        return WaitResult::TimedOut;
    }

    std::vector<uint32_t> waits;

private:
    ManualClock* clock_;
    bool signalled_ = false;
};

}  // namespace tinsori::test
