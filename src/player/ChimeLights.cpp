#include "player/ChimeLights.h"

#include <algorithm>

#include "player/LiveViewMotion.h"

namespace tinsori {

void AddStrikeLights(const StrikeLog& log, const ChimeRing& ring, uint32_t now,
                     ChimeLights& lights) {
    for (int i = 0; i < log.size(); ++i) {
        const StrikeRecord& strike = log.newest(i);
        const auto age = static_cast<int32_t>(now - strike.tick);
        if (age < 0) continue;
        // The log is in order of sounding: everything older has faded too.
        if (static_cast<uint32_t>(age) >= kLongestGlowMs) break;
        if (strike.chime < 0 || strike.chime >= ring.count) continue;
        ChimeLight& light = lights[strike.chime];
        const auto ageMs = static_cast<uint32_t>(age);
        light.glow =
            std::max(light.glow, StrikeGlow(strike.velocity, ageMs, ring.tubes[strike.chime].note));
        light.sway += StrikeSway(strike.velocity, ageMs);
    }
}

}  // namespace tinsori
