#include "midi/audio/InterSampleFilter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace tinsori {

namespace {

constexpr double kKaiserBeta = 7.0;
constexpr size_t kOversampling = InterSampleFilter::kPhases + 1;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    const double a = std::numbers::pi * x;
    return std::sin(a) / a;
}

}  // namespace

// Windowed-sinc filters giving the values at 1/4, 2/4 and 3/4 of the way from sample
// n - half to the next one, out of samples n - 2 half + 1 ... n. Each sums to 1, so a steady
// level keeps its value.
InterSampleFilter::InterSampleFilter() {
    const double norm = std::cyl_bessel_i(0.0, kKaiserBeta);
    for (size_t phase = 1; phase < kOversampling; ++phase) {
        std::vector<double> taps;
        for (int j = 0; j < 2 * kHalf; ++j) {
            const double distance = kHalf - 1 - j + static_cast<double>(phase) / kOversampling;
            const double edge = distance / kHalf;
            const double window =
                std::cyl_bessel_i(0.0, kKaiserBeta * std::sqrt(1.0 - edge * edge)) / norm;
            taps.push_back(Sinc(distance) * window);
        }
        const double sum = std::accumulate(taps.begin(), taps.end(), 0.0);
        double absolute = 0.0;
        for (double& tap : taps) {
            tap /= sum;
            absolute += std::fabs(tap);
        }
        gainBound_ = std::max(gainBound_, absolute);
        taps_.insert(taps_.end(), taps.begin(), taps.end());
    }
}

double InterSampleFilter::peakAfter(const float* window) const {
    double peak = std::fabs(static_cast<double>(window[kHalf - 1]));
    for (size_t phase = 0; phase < kPhases; ++phase) {
        const double* taps = &taps_[phase * kSpan];
        double value = 0.0;
        for (size_t j = 0; j < kSpan; ++j) value += taps[j] * window[j];
        peak = std::max(peak, std::fabs(value));
    }
    return peak;
}

}  // namespace tinsori
