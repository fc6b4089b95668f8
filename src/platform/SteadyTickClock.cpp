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

std::chrono::steady_clock::time_point SteadyTickClock::currentTickStart() const {
    const int64_t elapsedMs = (steadyNanoseconds() - originNs_) / 1000000;
    return std::chrono::steady_clock::time_point(
        std::chrono::nanoseconds(originNs_ + elapsedMs * 1000000));
}

}  // namespace tinsori
