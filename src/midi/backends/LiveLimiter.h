#pragma once

#include "midi/audio/TruePeakLimiter.h"

namespace tinsori {

// Keeps live play under the limiter's ceiling, block by block on the audio thread, so that a
// storm of strikes never clips at the sound server.
class LiveLimiter {
public:
    explicit LiveLimiter(int sampleRate) : limiter_(2, sampleRate) {}

    void process(float* left, float* right, int frames) {
        float* planes[] = {left, right};
        limiter_.processPlanar(planes, static_cast<size_t>(frames));
    }
    int latencyFrames() const { return limiter_.latencyFrames(); }

private:
    TruePeakLimiter limiter_;
};

}  // namespace tinsori
