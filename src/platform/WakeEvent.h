#pragma once

#include <cstdint>

namespace tinsori {

enum class WaitResult { Signalled, TimedOut };

// An auto-reset event: a signal with nobody waiting stays set, and the next wait returns at
// once and clears it. Implemented live (AutoResetEvent) and on the virtual timeline.
class WakeEvent {
public:
    virtual ~WakeEvent() = default;
    virtual void signal() = 0;
    virtual void reset() = 0;
    // Waits at most `milliseconds`; a signal ends the wait and is consumed.
    virtual WaitResult wait(uint32_t milliseconds) = 0;
};

}  // namespace tinsori
