// The limiter's cost on the audio thread: seconds of CPU per second of stereo audio at 44.1 kHz,
// for quiet audio (under the ceiling, the common case) and for audio over it all the time (a
// storm), in blocks of 512 frames as live play hands them over.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "midi/audio/TruePeakLimiter.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 512;
constexpr int kSeconds = 60;

double CoreShare(double amplitude) {
    std::vector<float> left(kBlock), right(kBlock);
    tinsori::TruePeakLimiter limiter(2, kRate);
    double cpu = 0.0;
    for (int block = 0; block < kSeconds * kRate / kBlock; ++block) {
        for (int i = 0; i < kBlock; ++i) {
            const double t = static_cast<double>(block * kBlock + i) / kRate;
            left[i] = static_cast<float>(amplitude * std::sin(2 * M_PI * 523.0 * t) *
                                         (1.0 + std::sin(2 * M_PI * 3.0 * t)) / 2);
            right[i] = left[i] * 0.8f;
        }
        float* planes[] = {left.data(), right.data()};
        const auto start = std::chrono::steady_clock::now();
        limiter.processPlanar(planes, kBlock);
        cpu += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return cpu / kSeconds * 100.0;
}

}  // namespace

int main() {
    std::printf("limiter on quiet audio (peaks -12 dBFS): %.3f %% of a core\n", CoreShare(0.25));
    std::printf("limiter on a storm (peaks +12 dBFS):     %.3f %% of a core\n", CoreShare(4.0));
    return 0;
}
