#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "midi/MidiOut.h"
#include "midi/chimes/ChimeSynth.h"

namespace tinsori {
namespace {

constexpr int kRate = 44100;
constexpr int kA4 = 69;  // 440 Hz

double NoteHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

struct Stereo {
    std::vector<float> left, right;
};

Stereo Render(ChimeSynth& synth, double seconds) {
    const int frames = static_cast<int>(seconds * kRate);
    Stereo out{std::vector<float>(frames), std::vector<float>(frames)};
    synth.render(out.left.data(), out.right.data(), frames, 1);
    return out;
}

void Strike(ChimeSynth& synth, int program, int note, int velocity) {
    synth.apply(PackShortMessage(kProgramChange, program, 0));
    synth.apply(PackShortMessage(kControlChange, kChannelVolume, 127));
    synth.apply(PackShortMessage(kNoteOn, note, velocity));
}

// Amplitude of the component at `hz` in `length` samples from `start` (Hann window, Goertzel).
double AmplitudeAt(const std::vector<float>& s, double hz, size_t start, size_t length) {
    double re = 0, im = 0, weights = 0;
    for (size_t i = 0; i < length; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (length - 1));
        const double phase = 2 * std::numbers::pi * hz * i / kRate;
        re += w * s[start + i] * std::cos(phase);
        im += w * s[start + i] * std::sin(phase);
        weights += w;
    }
    return 2 * std::hypot(re, im) / weights;
}

// The strongest frequency within 3% of `near`, to a step of 0.05%.
double PeakNear(const std::vector<float>& s, double near) {
    double best = near, loudest = 0;
    for (double hz = near * 0.97; hz <= near * 1.03; hz *= 1.0005) {
        const double a = AmplitudeAt(s, hz, 0, kRate / 2);
        if (a > loudest) loudest = a, best = hz;
    }
    return best;
}

// The free-free beam's ratios and the aluminium decay table (seconds to -60 dB) at 440 Hz times
// each ratio.
constexpr std::array<double, 5> kRatios = {1, 2.7565, 5.4039, 8.9330, 13.3443};
constexpr std::array<double, 5> kAluminiumDecays = {15.38, 7.39, 4.15, 2.61, 1.79};

TEST(ChimeSynth, PartialsFollowTheFreeFreeBeamAndDecayByTheTable) {
    ChimeSynth synth(nullptr);
    Strike(synth, 14, kA4, 127);
    const Stereo out = Render(synth, 3.0);
    for (size_t m = 0; m < kRatios.size(); ++m) {
        const double expected = 440.0 * kRatios[m];
        EXPECT_NEAR(PeakNear(out.left, expected) / expected, 1.0, 0.005) << "mode " << m;
        // The fall between two half-second windows a second or two apart gives the decay time.
        const double gap = m == 0 ? 2.0 : 1.0;
        const double first = AmplitudeAt(out.left, expected, kRate / 4, kRate / 2);
        const double later = AmplitudeAt(out.left, expected, kRate / 4 + gap * kRate, kRate / 2);
        const double seconds = 60.0 * gap / (20 * std::log10(first / later));
        EXPECT_NEAR(seconds / kAluminiumDecays[m], 1.0, 0.1) << "mode " << m;
    }
}

TEST(ChimeSynth, HarderStrikeIsBrighterNotOnlyLouder) {
    auto upperShare = [](int velocity) {
        ChimeSynth synth(nullptr);
        Strike(synth, 14, kA4, velocity);
        const Stereo out = Render(synth, 0.5);
        return AmplitudeAt(out.left, 440.0 * kRatios[4], 0, kRate / 2) /
               AmplitudeAt(out.left, 440.0, 0, kRate / 2);
    };
    EXPECT_GT(upperShare(127), 2 * upperShare(30));
}

TEST(ChimeSynth, OneTubeAtFullStrikeStaysBelowFullScale) {
    for (int program : {14, 12, 9}) {
        for (int note : {kLowestNote, 60, 96, kHighestNote}) {
            ChimeSynth synth(nullptr);
            Strike(synth, program, note, 127);
            const Stereo out = Render(synth, 0.3);
            for (const auto* channel : {&out.left, &out.right}) {
                const auto [low, high] = std::minmax_element(channel->begin(), channel->end());
                EXPECT_LE(std::max(-*low, *high), 1.0f) << program << " " << note;
            }
        }
    }
}

TEST(ChimeSynth, NoteOffDampsAHeldTubeButNotAFreeStrike) {
    ChimeSynth synth(nullptr);
    Strike(synth, 14, 60, 100);
    synth.apply(PackShortMessage(kNoteOn, 72, 100));
    synth.apply(PackShortMessage(kNoteOff, 72, 0));  // released as struck: rings free
    Render(synth, 0.5);
    synth.apply(PackShortMessage(kNoteOff, 60, 0));
    Render(synth, 0.5);
    const Stereo out = Render(synth, 0.5);
    EXPECT_LT(AmplitudeAt(out.left, NoteHz(60), 0, kRate / 2), 1e-6);
    EXPECT_GT(AmplitudeAt(out.left, NoteHz(72), 0, kRate / 2), 1e-3);

    synth.apply(PackShortMessage(kControlChange, 120, 0));  // all sound off
    const Stereo after = Render(synth, 0.1);
    EXPECT_TRUE(std::all_of(after.left.begin(), after.left.end(), [](float s) { return s == 0; }));
}

TEST(ChimeSynth, ChimeIsPannedToItsPlaceInTheRing) {
    SharedChimeSettings settings;
    settings.numChimes = 4;
    for (int k = 0; k < 4; ++k) settings.chimeNotes[k] = 60 + k;
    ChimeRingPlaces places;
    places.attach(&settings);
    ChimeSynth synth(&places);
    Strike(synth, 14, 61, 100);  // the second of four: a quarter turn, to the right
    const Stereo out = Render(synth, 0.2);
    const double hz = NoteHz(61);
    EXPECT_GT(AmplitudeAt(out.right, hz, 0, 8000), 20 * AmplitudeAt(out.left, hz, 0, 8000));
}

}  // namespace
}  // namespace tinsori
