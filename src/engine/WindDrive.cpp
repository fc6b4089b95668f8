#include "engine/WindDrive.h"

#include <algorithm>

namespace tinsori {

namespace {

constexpr int kWanderHalfWidth = 1900;
constexpr int kWanderCycle = 2500000;
constexpr double kLag = 0.041;

int clampWind(int wind) {
    return setting::kWind.Clamp(wind);
}

}  // namespace

bool WindTimerTick(ChimeSettings& settings, uint32_t now, WakeEvent& wakeEvent) {
    if ((settings.windDragging & 1) != 0 || settings.constantWind != 0) return false;
    const int x = settings.windPink.Next();
    const int before = settings.windNow.load(std::memory_order_relaxed);
    // The conversion truncates toward zero, so the wind drifts down more readily than up.
    const int after = clampWind(static_cast<int>((x - before) * kLag + before));
    settings.windNow.store(after, std::memory_order_relaxed);
    // Unsigned difference: right after start-up (lastWindWake 0) the first tick wakes the thread.
    if (now - settings.lastWindWake > kWindWakeInterval) {
        wakeEvent.signal();
        settings.lastWindWake = now;
    }
    return after != before;
}

void WindSliderMoved(ChimeSettings& settings, int position, WakeEvent& wakeEvent) {
    const int p = clampWind(position);
    if (p != settings.windNow.load(std::memory_order_relaxed)) {
        settings.windNow.store(p, std::memory_order_relaxed);
        wakeEvent.signal();
    }
    settings.windSpeed = p;
    RangeWindPink(settings);
}

void SetWindDragging(ChimeSettings& settings, bool dragging) {
    if (dragging) {
        settings.windDragging |= 1;
    } else {
        settings.windDragging &= ~1;
    }
}

void ApplyStoredWind(ChimeSettings& settings, int wind) {
    settings.windSpeed = wind;
    settings.windNow.store(wind, std::memory_order_relaxed);
    RangeWindPink(settings);
}

void RangeWindPink(ChimeSettings& settings) {
    settings.windSpeed = clampWind(settings.windSpeed);
    settings.windNow.store(clampWind(settings.windNow.load(std::memory_order_relaxed)),
                           std::memory_order_relaxed);
    settings.windPink.SetRange(settings.windSpeed - kWanderHalfWidth,
                               settings.windSpeed + kWanderHalfWidth, kWanderCycle);
}

}  // namespace tinsori
