#pragma once

#include "model/SettingsSchema.h"
#include "player/PlayerView.h"

namespace tinsori {

// What a scroll bar asks for: an arrow, the trough, the thumb, or the end of a scroll.
enum class ScrollRequest {
    LineBack,       // line left / line up
    LineForward,    // line right / line down
    PageBack,       // page left / page up
    PageForward,    // page right / page down
    ThumbPosition,  // the thumb was let go at a position
    ThumbTrack,     // the thumb is being dragged
    EndScroll,
    Top,
    Bottom,
};

// The keys a focused bar answers.
enum class ScrollKey { Left, Up, Right, Down, PageUp, PageDown, Home, End };

// The request a key makes: arrows step, Page Down and Page Up page toward the end and the start
// of either bar, Home and End ask for the top and the bottom.
ScrollRequest RequestOfKey(ScrollKey key);

struct SliderRange {
    int minimum = 0;
    int maximum = 0;
};

inline constexpr int kScrollLine = 1;
inline constexpr int kScrollPage = 50;

// The setting each of the five bars moves, and the range it has.
const SettingSpec& SettingOf(PlayerSlider slider);
SliderRange RangeOf(PlayerSlider slider);
// Whether the bar can be worked under `configuration`: the pendulum's length matters only while
// the pendulum strikes the chimes.
bool SliderEnabled(PlayerSlider slider, int configuration);

// The position a request moves the bar to, from its current position; `carried` is the position
// a thumb request brings. The result is not limited to a range.
int ScrollTarget(ScrollRequest request, int current, int carried);
// The same, kept inside the range of `slider`: where that bar stands after the request.
int ScrollPosition(PlayerSlider slider, ScrollRequest request, int current, int carried);

}  // namespace tinsori
