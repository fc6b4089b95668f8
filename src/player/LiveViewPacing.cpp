#include "player/LiveViewPacing.h"

#include <algorithm>
#include <cmath>

namespace tinsori {

namespace {

constexpr double kMostFramesPerSecond = 30;
constexpr int kPausedIntervalMs = 500;
constexpr uint32_t kLongestStepMs = 100;
constexpr double kMostFramePixels = 1920.0 * 1080;
constexpr double kMostPixelsPerSecond = kMostFramePixels * kMostFramesPerSecond;

}  // namespace

double ViewGrowth(double width, double height) {
    return std::max(1.0, std::min(width / kLiveViewWidth, height / kLiveViewHeight));
}

int FrameIntervalMs(bool paused, double refreshRate, double pixels) {
    if (paused) return kPausedIntervalMs;
    const double rate = refreshRate > 0 ? refreshRate : kMostFramesPerSecond;
    const double affordable = std::max(1.0, kMostPixelsPerSecond / std::max(1.0, pixels));
    return static_cast<int>(
        std::ceil(1000 / std::clamp(std::min(rate, affordable), 1.0, kMostFramesPerSecond)));
}

double FrameShrink(double pixels) {
    return std::max(1.0, std::sqrt(pixels / kMostFramePixels));
}

uint32_t StreakStepMs(uint32_t elapsedMs) {
    return std::min(elapsedMs, kLongestStepMs);
}

}  // namespace tinsori
