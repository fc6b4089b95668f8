#include "midi/audio/TruePeakLimiter.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <numeric>

namespace tinsori {

namespace {

// Samples on each side that one inter-sample value is interpolated from: enough for the
// estimate to stay within a few hundredths of a decibel up to 16 kHz.
constexpr int kInterpolationHalf = 12;
constexpr size_t kOversampling = 4;
constexpr double kKaiserBeta = 7.0;
constexpr size_t kPlanarChunkFrames = 256;
// Closer to unity than this, the recovering gain is unity: the last rounding step would never
// reach it.
constexpr double kUnityGap = 1e-9;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    const double a = std::numbers::pi * x;
    return std::sin(a) / a;
}

// Windowed-sinc filters giving the values at 1/4, 2/4 and 3/4 of the way from sample
// n - half to the next one, out of samples n - 2 half + 1 ... n. Each sums to 1, so a steady
// level keeps its value.
std::vector<double> InterpolationPhases(int half) {
    std::vector<double> phases;
    const double norm = std::cyl_bessel_i(0.0, kKaiserBeta);
    for (size_t phase = 1; phase < kOversampling; ++phase) {
        std::vector<double> taps;
        for (int j = 0; j < 2 * half; ++j) {
            const double distance = half - 1 - j + static_cast<double>(phase) / kOversampling;
            const double edge = distance / half;
            const double window =
                std::cyl_bessel_i(0.0, kKaiserBeta * std::sqrt(1.0 - edge * edge)) / norm;
            taps.push_back(Sinc(distance) * window);
        }
        const double sum = std::accumulate(taps.begin(), taps.end(), 0.0);
        std::transform(taps.begin(), taps.end(), std::back_inserter(phases),
                       [sum](double tap) { return tap / sum; });
    }
    return phases;
}

// The sample magnitude under which no interpolated value can exceed `ceiling`.
float QuietBound(const std::vector<double>& phases, double ceiling) {
    const size_t span = phases.size() / (kOversampling - 1);
    double weight = 1.0;
    for (size_t at = 0; at < phases.size(); at += span) {
        double sum = 0.0;
        for (size_t j = at; j < at + span; ++j) sum += std::fabs(phases[j]);
        weight = std::max(weight, sum);
    }
    // Rounded down a little further, so that the float comparison never errs on the loud side.
    return static_cast<float>(ceiling / weight * 0.999);
}

}  // namespace

TruePeakLimiter::TruePeakLimiter(int channels, int sampleRate, double thresholdDb)
    : channels_(channels),
      interpolationHalf_(kInterpolationHalf),
      attack_(std::max(1, static_cast<int>(std::lround(kLookAheadSeconds * sampleRate)))),
      // A cut is held from interpolationHalf_ frames before its peak to as many after, so that
      // every sample the peak's inter-sample values come from gets the same gain.
      window_(attack_ + 2 * interpolationHalf_),
      // The peak detector's own look-ahead, the attack ramp and the hold before the peak.
      latency_(interpolationHalf_ + attack_ - 1 + interpolationHalf_),
      ceiling_(std::pow(10.0, (thresholdDb - kMarginDb) / 20.0)),
      release_(1.0 - std::exp(-1.0 / (kReleaseSeconds * sampleRate))),
      phases_(InterpolationPhases(interpolationHalf_)),
      quietBound_(QuietBound(phases_, ceiling_)),
      history_(static_cast<size_t>(channels) * 4 * interpolationHalf_, 0.0f),
      delay_(static_cast<size_t>(latency_ + 1) * channels, 0.0f),
      interleaved_(kPlanarChunkFrames * static_cast<size_t>(channels), 0.0f),
      ramp_(static_cast<size_t>(attack_), 1.0),
      rampSum_(attack_),
      audibleCutGain_(std::pow(10.0, -kAudibleCutDb / 20.0)) {}

double TruePeakLimiter::largestReductionDb() const {
    return -20.0 * std::log10(lowestGain_);
}

// The gain that keeps the interval from frame (newest - interpolationHalf_) to the next one
// under the ceiling, on every channel and between the samples too.
double TruePeakLimiter::requiredGain() {
    // Most of the time nothing in the window comes near the ceiling.
    if (frames_ >= loudUntil_) return 1.0;
    const size_t span = 2 * static_cast<size_t>(interpolationHalf_);
    const size_t oldest = (frames_ + 1) % span;
    double peak = 0.0;
    for (int channel = 0; channel < channels_; ++channel) {
        const float* window = &history_[channel * 2 * span + oldest];
        peak = std::max(peak, std::fabs(static_cast<double>(window[interpolationHalf_ - 1])));
        for (size_t phase = 0; phase + 1 < kOversampling; ++phase) {
            const double* taps = &phases_[phase * span];
            double value = 0.0;
            for (size_t j = 0; j < span; ++j) value += taps[j] * window[j];
            peak = std::max(peak, std::fabs(value));
        }
    }
    return peak > ceiling_ ? ceiling_ / peak : 1.0;
}

// The gain applied: the lowest required over the hold window, recovering no faster than the
// release, averaged over the attack so that it ramps down ahead of the peak instead of jumping.
double TruePeakLimiter::smoothedGain(double required) {
    while (!windowMinimum_.empty() && windowMinimum_.back().second >= required)
        windowMinimum_.pop_back();
    windowMinimum_.emplace_back(frames_, required);
    while (windowMinimum_.front().first + static_cast<size_t>(window_) <= frames_)
        windowMinimum_.pop_front();

    released_ += (1.0 - released_) * release_;
    if (1.0 - released_ < kUnityGap) released_ = 1.0;
    released_ = std::min(released_, windowMinimum_.front().second);

    rampSum_ += released_ - ramp_[rampNext_];
    ramp_[rampNext_] = released_;
    if (++rampNext_ == ramp_.size()) {
        // Summed afresh once a round, so rounding errors cannot pile up over hours.
        rampNext_ = 0;
        rampSum_ = std::accumulate(ramp_.begin(), ramp_.end(), 0.0);
    }
    return std::min(1.0, rampSum_ / attack_);
}

void TruePeakLimiter::process(float* frames, size_t count) {
    const size_t span = 2 * static_cast<size_t>(interpolationHalf_);
    const size_t slots = static_cast<size_t>(latency_) + 1;
    for (size_t i = 0; i < count; ++i) {
        float* frame = frames + i * channels_;
        const size_t in = frames_ % slots;
        const size_t out = (frames_ + 1) % slots;  // the frame latency_ frames back
        // Each channel's history is kept twice over, so its window is always one straight run.
        const size_t at = frames_ % span;
        for (int channel = 0; channel < channels_; ++channel) {
            float* history = &history_[channel * 2 * span];
            history[at] = history[at + span] = frame[channel];
            if (std::fabs(frame[channel]) > quietBound_) loudUntil_ = frames_ + span;
            delay_[in * channels_ + channel] = frame[channel];
        }
        const double gain = smoothedGain(requiredGain());
        lowestGain_ = std::min(lowestGain_, gain);
        limitedFrames_ += gain < audibleCutGain_;
        for (int channel = 0; channel < channels_; ++channel)
            frame[channel] = static_cast<float>(delay_[out * channels_ + channel] * gain);
        ++frames_;
    }
}

void TruePeakLimiter::processPlanar(float* const* planes, size_t count) {
    for (size_t done = 0; done < count;) {
        const size_t chunk = std::min(kPlanarChunkFrames, count - done);
        for (size_t i = 0; i < chunk; ++i)
            for (int channel = 0; channel < channels_; ++channel)
                interleaved_[i * channels_ + channel] = planes[channel][done + i];
        process(interleaved_.data(), chunk);
        for (size_t i = 0; i < chunk; ++i)
            for (int channel = 0; channel < channels_; ++channel)
                planes[channel][done + i] = interleaved_[i * channels_ + channel];
        done += chunk;
    }
}

}  // namespace tinsori
