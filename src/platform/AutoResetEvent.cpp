#include "platform/AutoResetEvent.h"

#include <chrono>

namespace tinsori {

void AutoResetEvent::signal() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    // One waiter takes the signal; it clears the flag, and any other waiter sleeps on.
    signalled_.notify_one();
}

void AutoResetEvent::reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

WaitResult AutoResetEvent::wait(uint32_t milliseconds) {
    const auto start = ticks_ ? ticks_->currentTickStart() : std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::milliseconds(milliseconds);
    std::unique_lock lock(mutex_);
    if (!signalled_.wait_until(lock, deadline, [this] { return set_; })) {
        return WaitResult::TimedOut;
    }
    set_ = false;
    return WaitResult::Signalled;
}

}  // namespace tinsori
