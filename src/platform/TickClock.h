#pragma once

#include <chrono>
#include <cstdint>

namespace tinsori {

// A 32-bit millisecond tick that wraps; elapsed times are unsigned differences.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual uint32_t now() const = 0;
};

// Milliseconds of the steady clock since this object was made.
class SteadyTickClock : public TickClock {
public:
    SteadyTickClock();
    uint32_t now() const override;
    // The steady-clock instant at which the current tick began.
    std::chrono::steady_clock::time_point currentTickStart() const;
    // The steady-clock instant of tick 0.
    std::chrono::steady_clock::time_point origin() const {
        return std::chrono::steady_clock::time_point(std::chrono::nanoseconds(originNs_));
    }

private:
    int64_t originNs_;
};

}  // namespace tinsori
