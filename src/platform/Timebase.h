#pragma once

#include <cstdint>
#include <functional>

#include "platform/TickClock.h"
#include "platform/WakeEvent.h"

namespace tinsori {

// Where the player runs: its tick clock, its wake event and the one simulation thread. Live, that
// is the steady clock, an auto-reset event and a real thread at raised priority; for rendering
// and tests it is the virtual timeline, on which the same waits run in virtual milliseconds.
class Timebase {
public:
    virtual ~Timebase() = default;

    virtual TickClock& clock() = 0;
    virtual WakeEvent& wakeEvent() = 0;

    // Starts the simulation thread (above normal priority where the OS allows it).
    virtual void startThread(std::function<void()> body) = 0;
    // Waits at most `milliseconds` for the thread to end; true when it has ended (or never ran).
    // A thread still running is abandoned, never killed; the destructor joins it.
    virtual bool joinThread(uint32_t milliseconds) = 0;
};

}  // namespace tinsori
