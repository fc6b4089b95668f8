#include "player/WindStreaks.h"

#include <cmath>

#include "player/LiveViewMotion.h"

namespace tinsori {

namespace {
// Spread the streaks evenly without a pattern: steps of the golden ratio.
constexpr double kGolden = 0.6180339887;
}  // namespace

WindStreaks::WindStreaks() {
    for (int i = 0; i < kCount; ++i) {
        Streak& s = streaks_[i];
        s.x = std::fmod(i * kGolden * 3.1, 1.0);
        s.y = 0.04 + 0.92 * std::fmod(i * kGolden, 1.0);
        s.speed = 0.6 + 0.8 * std::fmod(i * kGolden * 7.7, 1.0);
    }
}

void WindStreaks::Advance(uint32_t elapsedMs, double wind) {
    const double strength = WindFraction(wind);
    // Shares of the width per second: a drift on a calm day, a rush in a storm.
    const double pace = 0.02 + 0.7 * std::pow(strength, 1.3);
    for (Streak& s : streaks_) {
        s.length = (0.03 + 0.15 * strength) * s.speed;
        s.x += pace * s.speed * elapsedMs / 1000.0;
        // Re-enters from the left once its tail has left on the right.
        if (s.x - s.length > 1.0) s.x = std::fmod(s.x - s.length, 1.0) - 0.01;
    }
}

int WindStreaks::Visible(double wind) {
    return 3 + static_cast<int>(WindFraction(wind) * (kCount - 3));
}

}  // namespace tinsori
