#include "midi/backends/RenderLevel.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace tinsori {

namespace {

constexpr size_t kSpoolBlockFrames = 4096;
// Normalizing: how often the gain is corrected for what the limiter takes, how close is close
// enough, and a peak under which the limiter is known to leave the audio alone.
constexpr int kCorrectionRounds = 4;
constexpr double kCloseEnoughLu = 0.05;
constexpr double kFlattestSlope = 0.1;  // a decibel of gain adds at least this much loudness
constexpr double kLimiterUntouchedDb = TruePeakLimiter::kThresholdDb - 1.0;

// Loud passages must clip, not wrap round to the opposite sign. Clipped here rather than by the
// library, whose clipping conversion rounds down: it would turn the synthesizer's faint noise
// floor (about -1e-8) into a constant -1, so that silence would never be digital silence.
void ClipSamples(float* samples, size_t count) {
    constexpr float kHighest = 32767.0f / 32768.0f;
    for (size_t i = 0; i < count; ++i) samples[i] = std::clamp(samples[i], -1.0f, kHighest);
}

double Decibels(double linear) {
    return linear > 0.0 ? 20.0 * std::log10(linear) : -HUGE_VAL;
}

}  // namespace

RenderLevel::RenderLevel(int channels, int sampleRate, Writer write)
    : channels_(channels),
      sampleRate_(sampleRate),
      write_(std::move(write)),
      limiter_(channels, sampleRate),
      meter_(channels, sampleRate, LoudnessMeter::Peaks::None),
      truePeak_(channels),
      delayed_(static_cast<size_t>(limiter_.latencyFrames())) {}

void RenderLevel::normalizeTo(double lufs, FilePointer spool) {
    targetLufs_ = lufs;
    spool_ = std::move(spool);
    spoolMeter_ =
        std::make_unique<LoudnessMeter>(channels_, sampleRate_, LoudnessMeter::Peaks::Sample);
}

bool RenderLevel::add(float* frames, size_t count) {
    if (!spool_) return limit(frames, count);
    spoolMeter_->add(frames, count);
    spooledFrames_ += count;
    if (std::fwrite(frames, sizeof(float) * channels_, count, spool_.get()) == count) return true;
    spoolError_ = std::string("cannot keep the audio to normalize: ") + std::strerror(errno);
    return false;
}

bool RenderLevel::limit(float* frames, size_t count) {
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
    truePeak_.add(frames, count);
    ClipSamples(frames, count * channels_);
    return write_(frames, count);
}

bool RenderLevel::readSpool(const std::string& pass,
                            const std::function<bool(float*, size_t)>& use) {
    if (std::fflush(spool_.get()) != 0 || std::fseek(spool_.get(), 0, SEEK_SET) != 0) {
        spoolError_ =
            std::string("cannot read back the audio to normalize: ") + std::strerror(errno);
        return false;
    }
    std::vector<float> block(kSpoolBlockFrames * channels_);
    size_t got = 0;
    size_t done = 0;
    while ((got = std::fread(block.data(), sizeof(float) * channels_, kSpoolBlockFrames,
                             spool_.get())) > 0) {
        if (watch_ && !watch_(pass, static_cast<double>(done) / spooledFrames_)) {
            stopped_ = true;
            return false;
        }
        if (!use(block.data(), got)) return false;
        done += got;
    }
    if (!std::ferror(spool_.get())) return true;
    spoolError_ = "cannot read back the audio to normalize";
    return false;
}

// The loudness the spooled audio has at `gainDb`, under the limiter.
std::optional<double> RenderLevel::limitedLoudness(double gainDb) {
    const auto gain = static_cast<float>(std::pow(10.0, gainDb / 20.0));
    TruePeakLimiter limiter(channels_, sampleRate_);
    LoudnessMeter meter(channels_, sampleRate_, LoudnessMeter::Peaks::None);
    const bool read = readSpool("measuring", [&](float* frames, size_t count) {
        for (size_t i = 0; i < count * channels_; ++i) frames[i] *= gain;
        limiter.process(frames, count);
        meter.add(frames, count);
        return true;
    });
    if (!read) return std::nullopt;
    return meter.integratedLufs();
}

// The gain that brings the spooled audio to the target. Where the limiter cuts, it takes some
// loudness away, more the louder it gets: then the loudness is measured through it and the gain
// corrected along the slope of the last two tries. Silence has no loudness to bring anywhere
// and stays as it is.
std::optional<double> RenderLevel::normalizingGainDb() {
    const double measured = spoolMeter_->integratedLufs();
    if (!std::isfinite(measured)) return 0.0;
    const double target = *targetLufs_;
    double gainDb = target - measured;
    double triedGainDb = gainDb, triedLufs = target;  // before the limiter: one for one
    for (int round = 0; round < kCorrectionRounds; ++round) {
        if (spoolMeter_->samplePeakDb() + gainDb < kLimiterUntouchedDb) break;
        const std::optional<double> reached = limitedLoudness(gainDb);
        if (!reached) return std::nullopt;
        if (!std::isfinite(*reached) || std::fabs(target - *reached) < kCloseEnoughLu) break;
        const double slope =
            gainDb == triedGainDb
                ? 1.0
                : std::clamp((*reached - triedLufs) / (gainDb - triedGainDb), kFlattestSlope, 1.0);
        triedGainDb = gainDb;
        triedLufs = *reached;
        gainDb += (target - *reached) / slope;
    }
    return gainDb;
}

bool RenderLevel::replaySpool() {
    appliedGainDb_ = normalizingGainDb();
    if (!appliedGainDb_) return false;
    gain_ = static_cast<float>(std::pow(10.0, *appliedGainDb_ / 20.0));
    if (!readSpool("normalizing",
                   [this](float* frames, size_t count) { return limit(frames, count); }))
        return false;
    spool_.reset();
    return true;
}

bool RenderLevel::finish() {
    if (spool_ && !replaySpool()) return false;
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
    level.truePeakDb = Decibels(truePeak_.peak());
    level.samplePeakDb = Decibels(truePeak_.samplePeak());
    level.limiterCutDb = limiter_.largestReductionDb();
    level.limitedSeconds = static_cast<double>(limiter_.limitedFrames()) / sampleRate_;
    level.loudnessGainDb = appliedGainDb_;
    return level;
}

}  // namespace tinsori
