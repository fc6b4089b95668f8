#include "midi/backends/RenderLevel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tinsori {

namespace {

// Loud passages must clip, not wrap round to the opposite sign. Clipped here rather than by the
// library, whose clipping conversion rounds down: it would turn the synthesizer's faint noise
// floor (about -1e-8) into a constant -1, so that silence would never be digital silence.
void ClipSamples(float* samples, size_t count) {
    constexpr float kHighest = 32767.0f / 32768.0f;
    for (size_t i = 0; i < count; ++i) samples[i] = std::clamp(samples[i], -1.0f, kHighest);
}

}  // namespace

RenderLevel::RenderLevel(int channels, int sampleRate, Writer write)
    : channels_(channels),
      sampleRate_(sampleRate),
      write_(std::move(write)),
      limiter_(channels, sampleRate),
      meter_(channels, sampleRate),
      delayed_(static_cast<size_t>(limiter_.latencyFrames())) {}

void RenderLevel::setGainDb(double gainDb) {
    gain_ = static_cast<float>(std::pow(10.0, gainDb / 20.0));
}

bool RenderLevel::add(float* frames, size_t count) {
    if (gain_ != 1.0f)
        for (size_t i = 0; i < count * channels_; ++i) frames[i] *= gain_;
    limiter_.process(frames, count);
    const size_t dropped = std::min(delayed_, count);
    delayed_ -= dropped;
    return pass(frames + dropped * channels_, count - dropped);
}

bool RenderLevel::pass(float* frames, size_t count) {
    if (count == 0) return true;
    meter_.add(frames, count);
    ClipSamples(frames, count * channels_);
    return write_(frames, count);
}

bool RenderLevel::finish() {
    std::vector<float> tail(static_cast<size_t>(limiter_.latencyFrames()) * channels_, 0.0f);
    limiter_.process(tail.data(), limiter_.latencyFrames());
    // A render shorter than the delay still owes part of the silent start.
    const size_t skipped = delayed_;
    delayed_ = 0;
    return pass(tail.data() + skipped * channels_, tail.size() / channels_ - skipped);
}

AudioLevel RenderLevel::level() const {
    AudioLevel level;
    level.integratedLufs = meter_.integratedLufs();
    level.truePeakDb = meter_.truePeakDb();
    level.samplePeakDb = meter_.samplePeakDb();
    level.limiterCutDb = limiter_.largestReductionDb();
    level.limitedSeconds = static_cast<double>(limiter_.limitedFrames()) / sampleRate_;
    return level;
}

}  // namespace tinsori
