#include "midi/audio/TruePeakLimiter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tinsori {

namespace {

constexpr int kInterpolationHalf = InterSampleFilter::kHalf;
constexpr size_t kPlanarChunkFrames = 256;
// Closer to unity than this, the recovering gain is unity: the last rounding step would never
// reach it.
constexpr double kUnityGap = 1e-9;

// The sample magnitude under which no interpolated value can exceed `ceiling`. Rounded down a
// little further, so that the float comparison never errs on the loud side.
float QuietBound(const InterSampleFilter& filter, double ceiling) {
    return static_cast<float>(ceiling / filter.gainBound() * 0.999);
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
      quietBound_(QuietBound(filter_, ceiling_)),
      history_(static_cast<size_t>(channels) * 4 * interpolationHalf_, 0.0f),
      delay_(static_cast<size_t>(latency_ + 1) * channels, 0.0f),
      interleaved_(kPlanarChunkFrames * static_cast<size_t>(channels), 0.0f),
      ramp_(static_cast<size_t>(attack_), 1.0),
      rampSum_(attack_),
      rampUnity_(static_cast<size_t>(attack_)),
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
    for (int channel = 0; channel < channels_; ++channel)
        peak = std::max(peak, filter_.peakAfter(&history_[channel * 2 * span + oldest]));
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
    rampUnity_ +=
        static_cast<size_t>(released_ == 1.0) - static_cast<size_t>(ramp_[rampNext_] == 1.0);
    ramp_[rampNext_] = released_;
    if (++rampNext_ == ramp_.size()) {
        // Summed afresh once a round, so rounding errors cannot pile up over hours.
        rampNext_ = 0;
        rampSum_ = std::accumulate(ramp_.begin(), ramp_.end(), 0.0);
    }
    return std::min(1.0, rampSum_ / attack_);
}

void TruePeakLimiter::process(float* frames, size_t count) {
    for (size_t i = 0; i < count;) {
        float* frame = frames + i * channels_;
        const size_t quiet = settled_ && frames_ >= loudUntil_ ? quietFrames(frame, count - i) : 0;
        if (quiet > 0) {
            passQuiet(frame, quiet);
            i += quiet;
        } else {
            limitFrame(frame);
            ++i;
        }
    }
}

void TruePeakLimiter::limitFrame(float* frame) {
    const size_t span = 2 * static_cast<size_t>(interpolationHalf_);
    const size_t slots = static_cast<size_t>(latency_) + 1;
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
    if (settled_ && frames_ >= loudUntil_) {
        passSettled(frame, out);
        return;
    }
    const double gain = smoothedGain(requiredGain());
    settled_ = gain == 1.0 && released_ == 1.0 && rampUnity_ == ramp_.size() &&
               rampSum_ >= attack_ && windowMinimum_.size() == 1 &&
               windowMinimum_.front().second == 1.0;
    lowestGain_ = std::min(lowestGain_, gain);
    limitedFrames_ += gain < audibleCutGain_;
    for (int channel = 0; channel < channels_; ++channel)
        frame[channel] = static_cast<float>(delay_[out * channels_ + channel] * gain);
    ++frames_;
}

// What smoothedGain would do with nothing loud in reach and every gain at unity, without the
// arithmetic that would only give unity again: the ramp moves on, the frame passes delayed.
void TruePeakLimiter::passSettled(float* frame, size_t out) {
    if (++rampNext_ == ramp_.size()) {
        rampNext_ = 0;
        rampSum_ = attack_;
    }
    for (int channel = 0; channel < channels_; ++channel)
        frame[channel] = delay_[out * channels_ + channel];
    ++frames_;
}

size_t TruePeakLimiter::quietFrames(const float* frames, size_t count) const {
    for (size_t i = 0; i < count * channels_; ++i)
        if (std::fabs(frames[i]) > quietBound_) return i / channels_;
    return count;
}

// What limitFrame does for `count` frames none of which comes near the ceiling while every gain
// is at unity: the frames pass delayed, and only the last ones a later window reaches are kept.
void TruePeakLimiter::passQuiet(float* frames, size_t count) {
    const size_t span = 2 * static_cast<size_t>(interpolationHalf_);
    const size_t slots = static_cast<size_t>(latency_) + 1;
    for (size_t i = count > span ? count - span : 0; i < count; ++i) {
        const size_t at = (frames_ + i) % span;
        for (int channel = 0; channel < channels_; ++channel) {
            float* history = &history_[channel * 2 * span];
            history[at] = history[at + span] = frames[i * channels_ + channel];
        }
    }
    size_t in = frames_ % slots;
    for (size_t i = 0; i < count; ++i) {
        const size_t out = in + 1 == slots ? 0 : in + 1;
        for (int channel = 0; channel < channels_; ++channel) {
            float& sample = frames[i * channels_ + channel];
            delay_[in * channels_ + channel] = sample;
            sample = delay_[out * channels_ + channel];
        }
        in = out;
    }
    frames_ += count;
    // The ramp's sum is set afresh at each round's end, as passSettled does.
    rampNext_ += count;
    if (rampNext_ >= ramp_.size()) {
        rampNext_ %= ramp_.size();
        rampSum_ = attack_;
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
