#pragma once

#include <cstddef>
#include <deque>
#include <utility>
#include <vector>

#include "midi/audio/InterSampleFilter.h"

namespace tinsori {

// Keeps interleaved float audio under a true-peak ceiling (peaks between samples included, as
// a 4x oversampling meter sees them) without audible clipping: it looks a few milliseconds
// ahead, lowers the gain smoothly before a peak arrives, holds it over the peak and lets it
// recover smoothly. Below the ceiling every sample passes unchanged, only delayed by
// latencyFrames(). Plain arithmetic, so the same input always gives the same output.
class TruePeakLimiter {
public:
    static constexpr double kThresholdDb = -1.0;
    // The limiter aims this far under the threshold: meters interpolate between samples with
    // filters of their own, and read a sharp edge's overshoot a little differently.
    static constexpr double kMarginDb = 0.1;
    static constexpr double kLookAheadSeconds = 0.004;
    static constexpr double kReleaseSeconds = 0.06;
    // Cuts smaller than this are not counted by limitedFrames(): the release's long tail.
    static constexpr double kAudibleCutDb = 0.1;

    TruePeakLimiter(int channels, int sampleRate, double thresholdDb = kThresholdDb);

    // Frames between a frame going in and the same frame coming out.
    int latencyFrames() const { return latency_; }

    // Limits `count` frames in place; what comes out is delayed by latencyFrames() (the first
    // frames out are silence).
    void process(float* frames, size_t count);
    // The same for audio kept one plane per channel (`planes[channel][frame]`), as sound servers'
    // callbacks hand it over. Allocates nothing.
    void processPlanar(float* const* planes, size_t count);

    // The deepest cut made so far, in decibels (0 when nothing needed limiting).
    double largestReductionDb() const;
    // Frames cut by more than kAudibleCutDb so far.
    size_t limitedFrames() const { return limitedFrames_; }

private:
    void limitFrame(float* frame);
    // How many of the first `count` frames hold no sample above quietBound_.
    size_t quietFrames(const float* frames, size_t count) const;
    void passQuiet(float* frames, size_t count);
    double requiredGain();
    double smoothedGain(double required);
    void passSettled(float* frame, size_t out);

    int channels_;
    int interpolationHalf_;  // samples on each side an inter-sample value depends on
    int attack_;             // frames over which the gain ramps down ahead of a peak
    int window_;             // frames a cut is held: the attack plus the interpolation's reach
    int latency_;
    double ceiling_;
    double release_;  // fraction of the remaining way back to unity recovered per frame
    InterSampleFilter filter_;
    // Samples below this cannot make a value between them reach the ceiling: the interpolation
    // weights' absolute sum times this is the ceiling.
    float quietBound_;

    std::vector<float> history_;      // per channel, the last 2 x interpolationHalf_ samples, twice
    std::vector<float> delay_;        // the last latency_ + 1 frames
    std::vector<float> interleaved_;  // planar audio on its way through process()
    size_t frames_ = 0;               // frames taken in so far
    size_t loudUntil_ = 0;  // the frame whose window the last sample above quietBound_ leaves
    std::deque<std::pair<size_t, double>> windowMinimum_;  // increasing gains, for a running min
    double released_ = 1.0;
    std::vector<double> ramp_;  // the last attack_ held gains, averaged into the applied gain
    size_t rampNext_ = 0;
    double rampSum_ = 0.0;
    size_t rampUnity_;      // entries of ramp_ at exactly unity
    bool settled_ = false;  // every gain at unity: quiet frames pass straight through
    double lowestGain_ = 1.0;
    double audibleCutGain_;
    size_t limitedFrames_ = 0;
};

}  // namespace tinsori
