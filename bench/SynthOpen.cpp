// Time to open the embedded synthesizer with each soundfont present: synth creation plus the
// soundfont load, then the full live open (which fails at the audio driver on a machine with no
// sound card, after trying every driver).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/FluidSynthPort.h"

using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void timeSoundfont(const std::string& path) {
    constexpr int kRuns = 5;
    double best = 1e9, total = 0;
    for (int i = 0; i < kRuns; ++i) {
        std::string error;
        const auto start = Clock::now();
        auto engine = tinsori::FluidSynthEngine::create(path, &error);
        const double ms = millisecondsSince(start);
        if (!engine) {
            std::printf("%-45s failed: %s\n", path.c_str(), error.c_str());
            return;
        }
        best = std::min(best, ms);
        total += ms;
    }
    std::printf("%-45s synth + soundfont: best %.1f ms, mean %.1f ms\n", path.c_str(), best,
                total / kRuns);
}

}  // namespace

int main() {
    for (const std::string& path : tinsori::FluidSynthEngine::defaultSoundfonts())
        if (::access(path.c_str(), R_OK) == 0) timeSoundfont(path);

    std::string error;
    const auto start = Clock::now();
    auto port = tinsori::FluidSynthPort::open("", "", &error);
    std::printf("live open (audio driver included): %.1f ms, %s\n", millisecondsSince(start),
                port ? port->describe().c_str() : error.c_str());
    return 0;
}
