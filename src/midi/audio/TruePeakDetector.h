#pragma once

#include <cstddef>
#include <vector>

#include "midi/audio/InterSampleFilter.h"

namespace tinsori {

// The true peak of interleaved float audio: the largest magnitude of its samples and of the
// values between them, as the limiter's interpolation sees them. Interpolating costs 72
// multiplications a sample, and almost always finds nothing new: a stretch is interpolated only
// when its loudest sample, times the most any interpolated value can exceed the samples it comes
// from (InterSampleFilter::gainBound), could beat the peak found so far.
class TruePeakDetector {
public:
    explicit TruePeakDetector(int channels);

    void add(const float* frames, size_t count);
    // Linear, 0 for silence. The values between the last InterSampleFilter::kHalf samples and
    // what follows them are not in it yet.
    double peak() const { return peak_; }
    // The largest sample magnitude alone, linear.
    double samplePeak() const { return samplePeak_; }

private:
    void addStretch(const float* frames, size_t count);
    void interpolate(const float* frames, size_t count);
    void remember(const float* frames, size_t count);

    int channels_;
    InterSampleFilter filter_;
    std::vector<float> history_;  // per channel, the last kSpan samples, twice over
    size_t frames_ = 0;
    double peak_ = 0.0;
    double samplePeak_ = 0.0;
};

}  // namespace tinsori
