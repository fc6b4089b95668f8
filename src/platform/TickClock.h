#pragma once

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

private:
    int64_t originNs_;
};

}  // namespace tinsori
