#include "platform/VirtualTimeline.h"

#include <algorithm>

namespace tinsori {

namespace {
// Tells the core this is a spin-wait, so a sibling hyper-thread gets the execution units.
inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}
}  // namespace

// Lets the simulation thread run for the span of one driver call, so that it never runs beside
// driver code outside these calls: what the driver does between them happens at one instant.
class VirtualTimeline::DriverCall {
public:
    explicit DriverCall(VirtualTimeline& timeline)
        : timeline_(timeline), wasInside_(timeline.driverInside_.load()) {
        timeline_.driverInside_ = true;
        if (timeline_.state_ == ThreadState::Running) timeline_.changed_.notify_all();
    }
    ~DriverCall() { timeline_.driverInside_ = wasInside_; }
    DriverCall(const DriverCall&) = delete;
    DriverCall& operator=(const DriverCall&) = delete;

private:
    VirtualTimeline& timeline_;
    bool wasInside_;
};

VirtualTimeline::~VirtualTimeline() {
    {
        std::lock_guard lock(mutex_);
        shuttingDown_ = true;
        driverInside_ = true;
        if (state_ == ThreadState::Blocked) release(WaitResult::Signalled);
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void VirtualTimeline::startThread(std::function<void()> body) {
    std::lock_guard lock(mutex_);
    if (state_ != ThreadState::NotStarted) return;
    // Running from the start, so the driver waits for the body's first wait before moving time.
    state_ = ThreadState::Running;
    thread_ = std::thread([this, body = std::move(body)] {
        {
            Lock inner(mutex_);
            threadId_ = std::this_thread::get_id();
            changed_.wait(inner, [this] { return driverInside_.load(); });
        }
        body();
        {
            std::lock_guard inner(mutex_);
            state_ = ThreadState::Ended;
        }
        changed_.notify_all();
    });
}

uint32_t VirtualTimeline::now() const {
    std::lock_guard lock(mutex_);
    return static_cast<uint32_t>(now_);
}

void VirtualTimeline::signal() {
    {
        std::lock_guard lock(mutex_);
        if (state_ == ThreadState::Blocked) {
            release(WaitResult::Signalled);
        } else if (driverWaiting_ && !driverSignalled_) {
            driverSignalled_ = true;
        } else {
            eventSet_ = true;
        }
    }
    changed_.notify_all();
}

void VirtualTimeline::reset() {
    std::lock_guard lock(mutex_);
    eventSet_ = false;
}

WaitResult VirtualTimeline::wait(uint32_t milliseconds) {
    Lock lock(mutex_);
    if (eventSet_) {
        eventSet_ = false;
        return WaitResult::Signalled;
    }
    if (std::this_thread::get_id() == threadId_) return threadWait(lock, milliseconds);
    return driverWait(lock, milliseconds);
}

WaitResult VirtualTimeline::threadWait(Lock& lock, uint32_t milliseconds) {
    if (shuttingDown_) return WaitResult::Signalled;
    deadline_ = now_ + milliseconds;
    state_ = ThreadState::Blocked;
    changed_.notify_all();
    // Whoever releases the thread marks it running, so the driver never sees a stale block.
    const auto released = [this] { return state_ != ThreadState::Blocked && driverInside_; };
    spinBriefly(lock, released);
    changed_.wait(lock, released);
    return releasedWith_;
}

WaitResult VirtualTimeline::driverWait(Lock& lock, uint32_t milliseconds) {
    DriverCall call(*this);
    const uint64_t target = now_ + milliseconds;
    driverWaiting_ = true;
    driverSignalled_ = false;
    WaitResult result = WaitResult::TimedOut;
    for (;;) {
        awaitQuiet(lock);
        if (driverSignalled_) {
            result = WaitResult::Signalled;
            break;
        }
        if (threadDeadline() > target) break;
        releaseTimedOut();
    }
    if (result == WaitResult::TimedOut) now_ = target;
    driverWaiting_ = false;
    driverSignalled_ = false;
    return result;
}

bool VirtualTimeline::joinThread(uint32_t milliseconds) {
    if (!advanceUntilEnded(milliseconds)) return false;
    if (thread_.joinable()) thread_.join();
    return true;
}

bool VirtualTimeline::advanceUntilEnded(uint32_t milliseconds) {
    Lock lock(mutex_);
    DriverCall call(*this);
    const uint64_t target = now_ + milliseconds;
    for (;;) {
        awaitQuiet(lock);
        if (state_ == ThreadState::NotStarted || state_ == ThreadState::Ended) return true;
        if (threadDeadline() > target) {
            now_ = target;
            return false;
        }
        releaseTimedOut();
    }
}

void VirtualTimeline::runUntil(uint32_t end, uint32_t timerPeriod,
                               const std::function<void()>& onTimer) {
    Lock lock(mutex_);
    DriverCall call(*this);
    for (;;) {
        awaitQuiet(lock);
        const uint64_t deadline = threadDeadline();
        const uint64_t tick = nextTimerTick(timerPeriod);
        if (deadline <= end && deadline <= tick) {
            releaseTimedOut();
        } else if (tick < end) {
            now_ = tick;
            lastTimerTick_ = tick;
            driverInside_ = false;
            lock.unlock();
            if (onTimer) onTimer();
            lock.lock();
            driverInside_ = true;
            // Only a thread released during the tick is waiting to run; waking a blocked one
            // for nothing would cost a context switch on every tick.
            if (state_ == ThreadState::Running) changed_.notify_all();
        } else {
            break;
        }
    }
    now_ = std::max<uint64_t>(now_, end);
}

void VirtualTimeline::awaitQuiet(Lock& lock) {
    const auto quiet = [this] { return state_ != ThreadState::Running; };
    spinBriefly(lock, quiet);
    changed_.wait(lock, quiet);
}

template <typename Ready>
void VirtualTimeline::spinBriefly(Lock& lock, Ready ready) {
    // A step of the simulation takes microseconds; blocking and waking through the kernel
    // costs more than that, and a render makes tens of thousands of such hand-overs. The other
    // side is always runnable while this side waits for it, but when both share one core
    // (pinned, or a busy machine) it runs only once this side lets go of the core: so every
    // few pauses the core is offered to it. With a core each, the offer returns at once.
    constexpr int kSpins = 4000;
    constexpr int kPausesPerYield = 16;
    if (ready()) return;
    lock.unlock();
    for (int i = 1; i <= kSpins && !ready(); ++i) {
        if (i % kPausesPerYield == 0) {
            std::this_thread::yield();
        } else {
            CpuRelax();
        }
    }
    lock.lock();
}

uint64_t VirtualTimeline::threadDeadline() const {
    return state_ == ThreadState::Blocked ? deadline_ : kNever;
}

void VirtualTimeline::releaseTimedOut() {
    now_ = std::max(now_, deadline_);
    release(WaitResult::TimedOut);
    changed_.notify_all();
}

void VirtualTimeline::release(WaitResult result) {
    releasedWith_ = result;
    state_ = ThreadState::Running;
}

uint64_t VirtualTimeline::nextTimerTick(uint32_t period) const {
    if (period == 0) return kNever;
    // The first multiple of the period after the last tick handled and not before now: ticks
    // passed over by the driver's own waits are dropped, as a stopped timer would drop them.
    const uint64_t from = std::max(lastTimerTick_ + 1, now_);
    return (from + period - 1) / period * period;
}

}  // namespace tinsori
