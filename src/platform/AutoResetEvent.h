#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/TickClock.h"
#include "platform/WakeEvent.h"

namespace tinsori {

// The live wake event. Waits run against an absolute steady-clock deadline, so spurious wake-ups
// and late scheduling never stretch a wait.
//
// Given a tick clock, a wait of D ms ends when that clock has moved D ticks on, at the start of
// a tick: a strike planned for tick t then sounds at t, not up to a millisecond after it.
class AutoResetEvent : public WakeEvent {
public:
    AutoResetEvent() = default;
    explicit AutoResetEvent(const SteadyTickClock& ticks) : ticks_(&ticks) {}

    void signal() override;
    void reset() override;
    WaitResult wait(uint32_t milliseconds) override;

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
    const SteadyTickClock* ticks_ = nullptr;
};

}  // namespace tinsori
