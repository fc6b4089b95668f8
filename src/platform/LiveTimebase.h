#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/AutoResetEvent.h"
#include "platform/ThreadPriority.h"
#include "platform/TickClock.h"
#include "platform/Timebase.h"

namespace tinsori {

// The time base of a live run: the steady clock, an auto-reset event and a real thread raised
// above normal priority where the system allows it.
class LiveTimebase : public Timebase {
public:
    LiveTimebase() = default;
    // Joins a thread still running: its owner must have asked it to stop.
    ~LiveTimebase() override;
    LiveTimebase(const LiveTimebase&) = delete;
    LiveTimebase& operator=(const LiveTimebase&) = delete;

    TickClock& clock() override { return clock_; }
    const SteadyTickClock& steadyClock() const { return clock_; }
    WakeEvent& wakeEvent() override { return event_; }
    void startThread(std::function<void()> body) override;
    bool joinThread(uint32_t milliseconds) override;
    // What the thread obtained when it raised its priority; waits (briefly) until it has asked.
    // Normal priority when no thread was started.
    PriorityGrant priorityGrant();
    // Called once on the thread, with what it obtained, before the body runs; set before start.
    void onPriorityGranted(std::function<void(const PriorityGrant&)> report) {
        report_ = std::move(report);
    }

private:
    SteadyTickClock clock_;
    AutoResetEvent event_{clock_};
    std::mutex mutex_;
    std::condition_variable finishedChanged_;
    bool finished_ = false;
    bool asked_ = false;
    PriorityGrant grant_;
    std::function<void(const PriorityGrant&)> report_;
    std::thread thread_;
};

}  // namespace tinsori
