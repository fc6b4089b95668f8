#include "player/SleepTimer.h"

#include <algorithm>

namespace tinsori {

void SleepTimer::Start(uint32_t now, uint32_t lengthMs, uint32_t fadeMs) {
    running_ = true;
    start_ = now;
    length_ = lengthMs;
    fade_ = std::min(fadeMs, lengthMs);
}

uint32_t SleepTimer::remainingMs(uint32_t now) const {
    if (!running_) return 0;
    const uint32_t elapsed = now - start_;
    return elapsed >= length_ ? 0 : length_ - elapsed;
}

double SleepTimer::fadeProgress(uint32_t now) const {
    if (!running_) return 0.0;
    const uint32_t left = remainingMs(now);
    if (left == 0) return 1.0;
    if (left >= fade_) return 0.0;
    return 1.0 - static_cast<double>(left) / fade_;
}

}  // namespace tinsori
