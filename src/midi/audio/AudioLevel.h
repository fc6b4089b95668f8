#pragma once

#include <cmath>
#include <optional>

namespace tinsori {

// What an audio render measured of the audio it wrote, in decibels (silence: -infinity).
struct AudioLevel {
    double integratedLufs = -HUGE_VAL;
    double truePeakDb = -HUGE_VAL;
    double samplePeakDb = -HUGE_VAL;
    double limiterCutDb = 0.0;    // the limiter's deepest cut
    double limitedSeconds = 0.0;  // how long it cut by more than TruePeakLimiter::kAudibleCutDb
    std::optional<double> loudnessGainDb;  // the gain that normalized it to a loudness
};

}  // namespace tinsori
