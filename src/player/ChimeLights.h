#pragma once

#include <array>
#include <cstdint>

#include "engine/StrikeLog.h"
#include "player/LiveViewGeometry.h"

namespace tinsori {

// How each chime of the ring shows its strikes at one moment: its light and its sideways sway.
struct ChimeLight {
    double glow = 0;  // 0..1
    double sway = 0;  // model units
};
using ChimeLights = std::array<ChimeLight, kMaxChimes>;

// Adds the strikes of `log` still ringing at `now` to `lights`: strikes sounding together
// (a chord, a queue, a knock) light together; a chime struck again shows the brighter light
// and the sum of its sways. Strikes of chimes beyond the ring (the count just fell) and strikes
// after `now` (a frozen view) are left out.
void AddStrikeLights(const StrikeLog& log, const ChimeRing& ring, uint32_t now,
                     ChimeLights& lights);

}  // namespace tinsori
