#pragma once

#include <cstdint>

#include "model/ChimeSettings.h"
#include "platform/WakeEvent.h"

namespace tinsori {

// The wind as the UI drives it: a 200 ms timer lets `windNow` follow `windPink` with a small lag,
// the slider sets the wind outright, and a stored wind (favorite, preset) replaces both values.
// All of it runs on the UI thread; the simulation hears of changes through the wake event.

inline constexpr uint32_t kWindWakeInterval = 9000;

// One tick of the wind timer at tick count `now`. Does nothing while the thumb is dragged or the
// wind is constant. Returns whether `windNow` moved, so the view can move the thumb.
bool WindTimerTick(ChimeSettings& settings, uint32_t now, WakeEvent& wakeEvent);

// Any scroll message of the wind slider, with the slider's position after it.
void WindSliderMoved(ChimeSettings& settings, int position, WakeEvent& wakeEvent);

// Bit 0 of `windDragging`: set while the user holds the thumb.
void SetWindDragging(ChimeSettings& settings, bool dragging);

// Sets `windSpeed` and `windNow` to a stored wind and restarts the wander around it. Does not
// signal: applying a favorite signals once, after every value is in place.
void ApplyStoredWind(ChimeSettings& settings, int wind);

// Brings `windSpeed` and `windNow` into the slider's range (a store may hold anything) and ranges
// `windPink` around `windSpeed`. Draws once from the UI thread's generator.
void RangeWindPink(ChimeSettings& settings);

}  // namespace tinsori
