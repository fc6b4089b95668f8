#include "midi/audio/TruePeakDetector.h"

#include <algorithm>
#include <cmath>

namespace tinsori {

namespace {

// Stretches judged by one bound: short enough that a loud moment makes little of its
// surroundings interpolated, long enough that the judging costs little.
constexpr size_t kStretchFrames = 64;
constexpr size_t kSpan = InterSampleFilter::kSpan;

}  // namespace

TruePeakDetector::TruePeakDetector(int channels)
    : channels_(channels), history_(static_cast<size_t>(channels) * 2 * kSpan, 0.0f) {}

void TruePeakDetector::add(const float* frames, size_t count) {
    for (size_t done = 0; done < count; done += kStretchFrames)
        addStretch(frames + done * channels_, std::min(kStretchFrames, count - done));
}

void TruePeakDetector::addStretch(const float* frames, size_t count) {
    // The stretch's inter-sample values come from its own samples and the kSpan - 1 before it.
    float loudest = 0.0f;
    for (size_t i = 0; i < count * channels_; ++i)
        loudest = std::max(loudest, std::fabs(frames[i]));
    samplePeak_ = std::max(samplePeak_, static_cast<double>(loudest));
    for (float sample : history_) loudest = std::max(loudest, std::fabs(sample));
    // The bound is at least 1, so a stretch it rules out cannot hold a louder sample either.
    if (loudest * filter_.gainBound() > peak_)
        interpolate(frames, count);
    else
        remember(frames, count);
}

void TruePeakDetector::interpolate(const float* frames, size_t count) {
    for (size_t i = 0; i < count; ++i, ++frames_) {
        const size_t at = frames_ % kSpan;
        const size_t oldest = (frames_ + 1) % kSpan;
        for (int channel = 0; channel < channels_; ++channel) {
            float* history = &history_[channel * 2 * kSpan];
            const float sample = frames[i * channels_ + channel];
            history[at] = history[at + kSpan] = sample;
            peak_ = std::max(peak_, std::fabs(static_cast<double>(sample)));
            peak_ = std::max(peak_, filter_.peakAfter(history + oldest));
        }
    }
}

// Only the last kSpan frames can reach a later stretch's interpolation.
void TruePeakDetector::remember(const float* frames, size_t count) {
    const size_t skipped = count > kSpan ? count - kSpan : 0;
    frames_ += skipped;
    for (size_t i = skipped; i < count; ++i, ++frames_) {
        const size_t at = frames_ % kSpan;
        for (int channel = 0; channel < channels_; ++channel) {
            float* history = &history_[channel * 2 * kSpan];
            history[at] = history[at + kSpan] = frames[i * channels_ + channel];
        }
    }
}

}  // namespace tinsori
