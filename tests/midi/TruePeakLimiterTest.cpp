#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "midi/audio/TruePeakDetector.h"
#include "midi/audio/TruePeakLimiter.h"
#include "midi/backends/LoudnessMeter.h"

namespace tinsori {
namespace {

constexpr int kRate = 44100;

// Interleaved stereo: `frames` frames of a sine on both channels.
std::vector<float> Sine(double amplitude, double hertz, size_t frames, double phase = 0.0) {
    std::vector<float> samples;
    for (size_t i = 0; i < frames; ++i) {
        const float value = static_cast<float>(
            amplitude * std::sin(2.0 * std::numbers::pi * hertz * i / kRate + phase));
        samples.insert(samples.end(), {value, value});
    }
    return samples;
}

void Append(std::vector<float>& to, const std::vector<float>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// The limiter's output for `input`, run on past its latency so that every frame comes out,
// without the leading frames of the latency.
std::vector<float> Limit(const std::vector<float>& input, TruePeakLimiter* used = nullptr) {
    TruePeakLimiter limiter(2, kRate);
    std::vector<float> samples = input;
    samples.resize(input.size() + 2 * limiter.latencyFrames(), 0.0f);
    // In uneven blocks, as an audio callback hands them over.
    for (size_t at = 0, block = 1; at < samples.size() / 2; at += block, block = block * 3 % 1021)
        limiter.process(&samples[2 * at], std::min(block, samples.size() / 2 - at));
    if (used) *used = limiter;
    return {samples.begin() + 2 * limiter.latencyFrames(), samples.end()};
}

double TruePeakDb(const std::vector<float>& samples) {
    LoudnessMeter meter(2, kRate);
    meter.add(samples.data(), samples.size() / 2);
    return meter.truePeakDb();
}

TEST(TruePeakLimiterTest, BelowTheThresholdEverySamplePassesUnchanged) {
    std::vector<float> input = Sine(0.5, 440.0, 20000);
    Append(input, Sine(0.85, 3000.0, 20000, 0.3));  // -1.4 dBTP: just under
    EXPECT_EQ(Limit(input), input);
}

TEST(TruePeakLimiterTest, SilenceStaysDigitalSilence) {
    const std::vector<float> silence(2 * 5000, 0.0f);
    TruePeakLimiter limiter(2, kRate);
    EXPECT_EQ(Limit(silence, &limiter), silence);
    EXPECT_EQ(limiter.largestReductionDb(), 0.0);
}

TEST(TruePeakLimiterTest, AStepToFullScaleStaysUnderTheThreshold) {
    std::vector<float> input(2 * 10000, 0.0f);
    input.resize(2 * 30000, 1.0f);
    const std::vector<float> output = Limit(input);
    EXPECT_LE(TruePeakDb(output), TruePeakLimiter::kThresholdDb);
    // Held at the ceiling, not far below it.
    EXPECT_NEAR(output[2 * 25000], std::pow(10.0, TruePeakLimiter::kThresholdDb / 20), 0.02);
}

TEST(TruePeakLimiterTest, LoudNoiseStaysUnderTheThreshold) {
    std::vector<float> input;
    uint32_t state = 1;
    for (int i = 0; i < 2 * 40000; ++i) {
        state = state * 214013 + 2531011;
        input.push_back(static_cast<float>((state >> 16 & 0x7fff) / 16384.0 - 1.0) * 2.0f);
    }
    EXPECT_LE(TruePeakDb(Limit(input)), TruePeakLimiter::kThresholdDb);
}

TEST(TruePeakLimiterTest, ABurstIsCutAndTheGainComesBackAfterIt) {
    std::vector<float> input = Sine(0.3, 500.0, 10000);
    // A quarter of the rate at 45 degrees: every sample is 3 dB under the peak between them.
    Append(input, Sine(2.0, kRate / 4.0, 4410, std::numbers::pi / 4));
    Append(input, Sine(0.3, 500.0, 80000));

    TruePeakLimiter limiter(2, kRate);
    const std::vector<float> output = Limit(input, &limiter);
    EXPECT_LE(TruePeakDb(output), TruePeakLimiter::kThresholdDb);
    EXPECT_NEAR(limiter.largestReductionDb(), 7.2, 0.2);  // from +6 dBTP, and the edges' overshoot
    // Nearly back half a second later, and exactly back in the end.
    const size_t halfSecond = 2 * (10000 + 4410 + 22050);
    EXPECT_NEAR(output[halfSecond + 1] / input[halfSecond + 1], 1.0, 1e-3);
    EXPECT_EQ(std::vector<float>(output.end() - 2000, output.end()),
              std::vector<float>(input.end() - 2000, input.end()));
}

// Quiet runs pass without the gain arithmetic; the samples they leave behind still shape the
// values between samples at a step out of one, so the cut is what the input's true peak needs.
TEST(TruePeakLimiterTest, AStepOutOfAQuietRunIsCutByItsTruePeak) {
    std::vector<float> input = Sine(0.3, 3000.0, 10000);
    input.resize(2 * 10200, 0.95f);
    for (int i = 2000; i > 0; --i) input.insert(input.end(), 2, 0.95f * i / 2000);
    TruePeakDetector detector(2);
    detector.add(input.data(), input.size() / 2);
    const std::vector<float> after(2 * InterSampleFilter::kSpan, 0.0f);
    detector.add(after.data(), InterSampleFilter::kSpan);
    TruePeakLimiter limiter(2, kRate);
    Limit(input, &limiter);
    const double ceilingDb = TruePeakLimiter::kThresholdDb - TruePeakLimiter::kMarginDb;
    EXPECT_NEAR(limiter.largestReductionDb(), 20 * std::log10(detector.peak()) - ceilingDb, 1e-3);
}

TEST(TruePeakLimiterTest, PlanesComeOutAsInterleavedFramesDo) {
    std::vector<float> interleaved = Sine(2.0, 700.0, 3000);
    std::vector<float> left, right;
    for (size_t i = 0; i < interleaved.size(); i += 2) {
        left.push_back(interleaved[i] * 0.5f);
        right.push_back(interleaved[i + 1]);
        interleaved[i] *= 0.5f;
    }
    TruePeakLimiter framesLimiter(2, kRate), planesLimiter(2, kRate);
    framesLimiter.process(interleaved.data(), 3000);
    float* planes[] = {left.data(), right.data()};
    planesLimiter.processPlanar(planes, 3000);
    for (size_t i = 0; i < 3000; ++i) {
        ASSERT_EQ(left[i], interleaved[2 * i]) << i;
        ASSERT_EQ(right[i], interleaved[2 * i + 1]) << i;
    }
}

// A quarter of the rate at 45 degrees puts every sample at 0.71 of the wave's peak. After one
// louder sample, only a bound that allows for values between samples still looks between them.
TEST(TruePeakDetectorTest, FindsThePeakBetweenSamplesAfterALouderSample) {
    std::vector<float> input(2 * 100, 0.0f);
    input[100] = input[101] = 0.8f;
    Append(input, Sine(0.99, kRate / 4.0, 4000, std::numbers::pi / 4));
    TruePeakDetector detector(2);
    detector.add(input.data(), input.size() / 2);
    EXPECT_GT(detector.peak(), 0.98);
    EXPECT_NEAR(20.0 * std::log10(detector.peak()), TruePeakDb(input), 0.1);
}

// Stretches that cannot beat the peak are only remembered: a later peak between samples, whose
// window reaches back into them, must still be found as interpolating every sample finds it.
TEST(TruePeakDetectorTest, SkippedStretchesLoseNoPeak) {
    std::vector<float> input = Sine(0.9, kRate / 4.0, 3000, std::numbers::pi / 4);
    Append(input, Sine(0.1, 500.0, 5000));
    Append(input, Sine(0.95, kRate / 4.0, 30, std::numbers::pi / 4));
    TruePeakDetector detector(2);
    for (size_t at = 0; at < input.size() / 2; at += 1000)
        detector.add(&input[2 * at], std::min<size_t>(1000, input.size() / 2 - at));

    const InterSampleFilter filter;
    double peak = 0.0, samplePeak = 0.0;
    for (size_t channel = 0; channel < 2; ++channel) {
        std::vector<float> padded(InterSampleFilter::kSpan - 1, 0.0f);
        for (size_t i = channel; i < input.size(); i += 2) padded.push_back(input[i]);
        for (size_t end = InterSampleFilter::kSpan; end <= padded.size(); ++end)
            peak = std::max(peak, filter.peakAfter(&padded[end - InterSampleFilter::kSpan]));
        for (float sample : padded) samplePeak = std::max<double>(samplePeak, std::fabs(sample));
    }
    EXPECT_GT(peak, 0.94);
    EXPECT_EQ(detector.peak(), peak);
    EXPECT_EQ(detector.samplePeak(), samplePeak);
}

}  // namespace
}  // namespace tinsori
