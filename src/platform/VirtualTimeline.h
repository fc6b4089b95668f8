#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/TickClock.h"
#include "platform/Timebase.h"
#include "platform/WakeEvent.h"

namespace tinsori {

// The player's time base in virtual milliseconds, for rendering and tests. Computing takes no
// virtual time: the clock moves only when the driver (any thread but the simulation thread)
// advances it, and it never passes a deadline of the simulation thread's wait before that thread
// has been released and has blocked again. So the same calls give the same ticks on every run.
//
// Waits from the simulation thread block until a signal or until the driver brings time to their
// deadline. Waits from the driver advance time themselves. The thread runs only while the driver
// is inside one of the calls below (a signal from driver code elsewhere releases the thread when
// the driver next calls in), so the two never run side by side and need no further locking. The
// owner must stop the simulation thread before destroying the timeline; the destructor then makes
// every further wait of that thread return Signalled at once, so a body that honours its stop
// request ends.
class VirtualTimeline : public Timebase, public TickClock, public WakeEvent {
public:
    VirtualTimeline() = default;
    ~VirtualTimeline() override;
    VirtualTimeline(const VirtualTimeline&) = delete;
    VirtualTimeline& operator=(const VirtualTimeline&) = delete;

    TickClock& clock() override { return *this; }
    WakeEvent& wakeEvent() override { return *this; }
    void startThread(std::function<void()> body) override;
    // On the driver: advances virtual time, releasing the thread's time-outs on the way (no timer
    // ticks), until the thread has ended or `milliseconds` have passed.
    bool joinThread(uint32_t milliseconds) override;

    uint32_t now() const override;

    // A thread blocked in a wait is released with Signalled; otherwise the signal is delivered to
    // a waiting driver or stays set.
    void signal() override;
    void reset() override;
    WaitResult wait(uint32_t milliseconds) override;

    // On the driver: handles every time-out of the thread due at or before `end` and every timer
    // tick (at multiples of `timerPeriod`, 0 for none) strictly before `end`, a time-out before a
    // tick on the same millisecond; `onTimer` runs on the driver at each tick. Leaves now() at end.
    void runUntil(uint32_t end, uint32_t timerPeriod, const std::function<void()>& onTimer);

private:
    enum class ThreadState { NotStarted, Running, Blocked, Ended };
    static constexpr uint64_t kNever = UINT64_MAX;

    using Lock = std::unique_lock<std::mutex>;
    class DriverCall;

    WaitResult threadWait(Lock& lock, uint32_t milliseconds);
    WaitResult driverWait(Lock& lock, uint32_t milliseconds);
    bool advanceUntilEnded(uint32_t milliseconds);
    // Blocks the driver while the simulation thread computes.
    void awaitQuiet(Lock& lock);
    // Spins briefly, without the lock, until `ready` holds; the caller then waits properly.
    template <typename Ready>
    static void spinBriefly(Lock& lock, Ready ready);
    uint64_t threadDeadline() const;
    // Moves time to the blocked thread's deadline and lets it run to its next wait.
    void releaseTimedOut();
    void release(WaitResult result);
    uint64_t nextTimerTick(uint32_t period) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t now_ = 0;
    uint64_t lastTimerTick_ = 0;
    bool eventSet_ = false;
    bool driverWaiting_ = false;
    bool driverSignalled_ = false;
    bool shuttingDown_ = false;
    // Written under the mutex; atomic so that a side about to block can first spin on them
    // without the lock (a hand-over between two cores then costs no system call).
    std::atomic<bool> driverInside_ = false;
    std::atomic<ThreadState> state_ = ThreadState::NotStarted;
    uint64_t deadline_ = 0;
    WaitResult releasedWith_ = WaitResult::TimedOut;
    std::thread::id threadId_;
    std::thread thread_;
};

}  // namespace tinsori
