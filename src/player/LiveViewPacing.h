#pragma once

#include <cstdint>

namespace tinsori {

// How often and how large the live view draws. Drawing and copying cost by the pixel: a large
// view is drawn smaller and stretched, and redrawn less often, so that a full screen of 8K does
// not take a core.

// The size the view opens at; larger, everything in it grows, words included.
inline constexpr double kLiveViewWidth = 520;
inline constexpr double kLiveViewHeight = 580;
// Looking the favorite up for the caption reads the profile: once a second is enough.
inline constexpr int kLiveCaptionIntervalMs = 1000;

// How much larger than at its opening size a view of this size draws everything: at least 1.
double ViewGrowth(double width, double height);

// The frame timer's interval for a view of `pixels` device pixels on a screen refreshing
// `refreshRate` times a second (0: unknown). Paused, the picture stands still and is redrawn
// only to follow settings changed meanwhile.
int FrameIntervalMs(bool paused, double refreshRate, double pixels);

// How many times smaller than the view a frame of `pixels` device pixels is drawn: at least 1.
double FrameShrink(double pixels);

// How far the wind's streaks move for `elapsedMs` since the last frame: a long gap (the view was
// hidden, the machine slept) moves them one step only.
uint32_t StreakStepMs(uint32_t elapsedMs);

}  // namespace tinsori
