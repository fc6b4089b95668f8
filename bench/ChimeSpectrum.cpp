// One modelled chime struck alone (A4, 440 Hz, aluminium): each partial's measured frequency and
// decay time against the free-free beam and the material's decay table, then the partials' levels
// for a soft and a hard strike. Usage: bench_ChimeSpectrum [NOTE] [PROGRAM]

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "midi/MidiOut.h"
#include "midi/chimes/ChimeSynth.h"
#include "midi/chimes/FreeFreeBeam.h"

namespace {

using tinsori::AudioSynth;
constexpr int kRate = AudioSynth::kSampleRate;

std::vector<float> Strike(int note, int program, int velocity, double seconds) {
    tinsori::ChimeSynth synth(nullptr);
    synth.apply(tinsori::PackShortMessage(tinsori::kProgramChange, program, 0));
    synth.apply(tinsori::PackShortMessage(tinsori::kControlChange, tinsori::kChannelVolume, 127));
    synth.apply(tinsori::PackShortMessage(tinsori::kNoteOn, note, velocity));
    std::vector<float> left(static_cast<size_t>(seconds * kRate)), right(left.size());
    synth.render(left.data(), right.data(), static_cast<int>(left.size()), 1);
    return left;
}

// Amplitude at `hz` over `length` samples from `start`, Hann-windowed.
double AmplitudeAt(const std::vector<float>& s, double hz, size_t start, size_t length) {
    double re = 0, im = 0, weights = 0;
    for (size_t i = 0; i < length && start + i < s.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (length - 1));
        const double phase = 2 * std::numbers::pi * hz * i / kRate;
        re += w * s[start + i] * std::cos(phase);
        im += w * s[start + i] * std::sin(phase);
        weights += w;
    }
    return 2 * std::hypot(re, im) / weights;
}

double PeakNear(const std::vector<float>& s, double near) {
    double best = near, loudest = 0;
    for (double hz = near * 0.97; hz <= near * 1.03; hz *= 1.0001) {
        const double a = AmplitudeAt(s, hz, 0, kRate);
        if (a > loudest) loudest = a, best = hz;
    }
    return best;
}

double Db(double amplitude) {
    return 20 * std::log10(amplitude);
}

}  // namespace

int main(int argc, char** argv) {
    const int note = argc > 1 ? std::stoi(argv[1]) : 69;
    const int program = argc > 2 ? std::stoi(argv[2]) : 14;
    const double f0 = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    const auto& material = tinsori::ChimeMaterial::ForProgram(program);
    std::printf("note %d (%.1f Hz), %s, velocity 127\n", note, f0, material.name);
    std::printf(
        "mode  ratio    expected Hz  measured Hz  error   table T60  measured T60  error\n");
    const std::vector<float> hard = Strike(note, program, 127, 4.0);
    for (int m = 0; m < 5; ++m) {
        const double expected = f0 * tinsori::FreeFreeBeam::FrequencyRatio(m);
        const double measured = PeakNear(hard, expected);
        const double table = material.decaySeconds(expected);
        const double gap = std::min(2.0, table / 3);
        const double a = AmplitudeAt(hard, measured, kRate / 4, kRate / 2);
        const double b = AmplitudeAt(hard, measured, kRate / 4 + gap * kRate, kRate / 2);
        const double t60 = 60 * gap / (Db(a) - Db(b));
        std::printf("%4d  %7.4f  %11.1f  %11.1f  %+5.2f%%  %8.2f s  %10.2f s  %+5.1f%%\n", m + 1,
                    measured / f0, expected, measured, 100 * (measured / expected - 1), table, t60,
                    100 * (t60 / table - 1));
    }
    std::printf("\npartial levels in the first 100 ms, dB below the strike's loudest partial\n");
    std::printf("mode       Hz   soft (velocity 30)   hard (velocity 127)\n");
    const std::vector<float> soft = Strike(note, program, 30, 0.2);
    std::vector<double> softDb, hardDb;
    double softTop = -1e9, hardTop = -1e9;
    for (int m = 0; m < 12; ++m) {
        const double hz = f0 * tinsori::FreeFreeBeam::FrequencyRatio(m);
        if (hz >= 16000) break;
        softDb.push_back(Db(AmplitudeAt(soft, hz, 0, kRate / 10)));
        hardDb.push_back(Db(AmplitudeAt(hard, hz, 0, kRate / 10)));
        softTop = std::max(softTop, softDb.back());
        hardTop = std::max(hardTop, hardDb.back());
    }
    for (size_t m = 0; m < softDb.size(); ++m)
        std::printf("%4zu  %7.0f  %17.1f  %19.1f\n", m + 1,
                    f0 * tinsori::FreeFreeBeam::FrequencyRatio(static_cast<int>(m)),
                    softDb[m] - softTop, hardDb[m] - hardTop);
    return 0;
}
