#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/WakeEvent.h"

namespace tinsori {

// The live wake event. Waits run against an absolute steady-clock deadline, so spurious wake-ups
// and late scheduling never stretch a wait.
class AutoResetEvent : public WakeEvent {
public:
    void signal() override;
    void reset() override;
    WaitResult wait(uint32_t milliseconds) override;

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
};

}  // namespace tinsori
