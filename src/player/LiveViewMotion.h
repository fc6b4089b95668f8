#pragma once

#include <array>
#include <cstdint>

#include "platform/TextCatalogue.h"

namespace tinsori {

// How things move and fade in the live view, as functions of time in milliseconds.

// Brightness 0..1 of a chime struck `ageMs` ago with `velocity`: louder strikes light brighter,
// and the light dies away as a tube of that note rings (low notes ring longer). 0 once it has
// faded out, so the view can stop drawing it.
double StrikeGlow(int velocity, uint32_t ageMs, int note);
// How long a strike stays lit at all, for the oldest strike worth looking at.
inline constexpr uint32_t kLongestGlowMs = 12000;

// Sideways swing of a struck tube, in model units: a quick decaying sway, wider for louder
// strikes.
double StrikeSway(int velocity, uint32_t ageMs);

// A tube stirred by the wind energy it holds (configurations without the pendulum): an endless
// sway, chime k on its own period, its width the chime's share of the largest energy.
double EnergySway(double energy, double largestEnergy, int k, uint32_t now);

// The beat of a quantized wait: 1 on each beat from `waitStart`, falling off before the next.
double BeatPulse(uint32_t waitStart, uint32_t beat, uint32_t now);

// Whether the pendulum strikes the chimes in `configuration`; without it the chimes themselves
// move, each by its wind energy.
bool PendulumStrikes(int configuration);

// The wind the view shows: the model's, or the slider's before the model has one.
double ShownWind(double effectiveWind, int windSetting);

// The wind slider's scale: 0 at its left end to 1 at its right end.
double WindFraction(double wind);
// Which of the slider's three words ("Calm Day", "Nice Breeze", "Storm's-a-Brewin'") is
// nearest to the wind: 0, 1 or 2.
int WindWord(double wind);
// The wind slider's three words, without their keyboard marks, in WindWord's order.
inline constexpr std::array<const char*, 3> kWindWords = {
    QT_TRANSLATE_NOOP("Tinsori", "Calm Day"), QT_TRANSLATE_NOOP("Tinsori", "Nice Breeze"),
    QT_TRANSLATE_NOOP("Tinsori", "Storm's-a-Brewin'")};

}  // namespace tinsori
