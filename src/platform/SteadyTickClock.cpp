#include <chrono>

#include "platform/TickClock.h"

namespace tinsori {

namespace {
int64_t steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

SteadyTickClock::SteadyTickClock() : originNs_(steadyNanoseconds()) {}

uint32_t SteadyTickClock::now() const {
    return static_cast<uint32_t>((steadyNanoseconds() - originNs_) / 1000000);
}

}  // namespace tinsori
