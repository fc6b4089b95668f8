#pragma once

#include <cstddef>
#include <vector>

namespace tinsori {

// The values between samples, as a 4x oversampling true-peak meter sees them: windowed-sinc
// filters for the points 1/4, 2/4 and 3/4 of the way from one sample to the next. Shared by the
// limiter, which keeps them under a ceiling, and the detector that reports them.
class InterSampleFilter {
public:
    // Samples on each side that one inter-sample value is interpolated from: enough for the
    // estimate to stay within a few hundredths of a decibel up to 16 kHz.
    static constexpr int kHalf = 12;
    static constexpr size_t kSpan = 2 * kHalf;
    static constexpr size_t kPhases = 3;

    InterSampleFilter();

    // The largest magnitude among the sample window[kHalf - 1] and the values after it, out of
    // window[0] ... window[kSpan - 1].
    double peakAfter(const float* window) const;
    // No inter-sample value can be larger than this times the largest sample it comes from: the
    // largest sum of one filter's absolute taps (at least 1, for the sample itself).
    double gainBound() const { return gainBound_; }

private:
    std::vector<double> taps_;  // kPhases filters of kSpan taps each
    double gainBound_ = 1.0;
};

}  // namespace tinsori
