#pragma once

#include <cstddef>
#include <functional>

#include "midi/audio/AudioLevel.h"
#include "midi/audio/TruePeakLimiter.h"
#include "midi/backends/LoudnessMeter.h"

namespace tinsori {

// A render's audio on its way from the synthesizer to the file: a constant gain, the true-peak
// limiter, the loudness meter, and the clipping to full scale that integer samples need. The
// limiter's look-ahead delay is taken back out, so every sound keeps its frame and the file its
// length.
class RenderLevel {
public:
    // Receives the finished frames; false when they could not be written.
    using Writer = std::function<bool(const float* frames, size_t count)>;

    RenderLevel(int channels, int sampleRate, Writer write);

    void setGainDb(double gainDb);
    // Takes `count` frames (changed in place); false once the writer has failed.
    bool add(float* frames, size_t count);
    // Writes what the limiter still holds.
    bool finish();

    AudioLevel level() const;

private:
    bool pass(float* frames, size_t count);

    int channels_;
    int sampleRate_;
    Writer write_;
    float gain_ = 1.0f;
    TruePeakLimiter limiter_;
    LoudnessMeter meter_;
    size_t delayed_;  // frames still to drop from the front: the limiter's silent start
};

}  // namespace tinsori
