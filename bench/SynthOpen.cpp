// Time to open the embedded synthesizer with each soundfont present (or each named on the command
// line): synth creation plus the soundfont load, and on to the first audible sample of a tubular
// bell (the program change loads its samples); then the full live open (which fails at the audio
// driver on a machine with no sound card, after trying every driver).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <vector>

#include "midi/MidiOut.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/FluidSynthPort.h"

using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// From `start` to the first audible sample of a tubular bell struck on the new synth.
double FirstNoteMs(tinsori::FluidSynthEngine& engine, Clock::time_point start) {
    engine.apply(tinsori::PackShortMessage(0xC0, 14, 0));
    engine.apply(tinsori::PackShortMessage(0x90, 64, 100));
    float block[2 * 64];
    for (int i = 0; i < 1000; ++i) {
        fluid_synth_write_float(engine.synth(), 64, block, 0, 2, block, 1, 2);
        for (float sample : block)
            if (sample != 0.0f) return millisecondsSince(start);
    }
    return 1e9;
}

void timeSoundfont(const std::string& path) {
    constexpr int kRuns = 5;
    double best = 1e9, total = 0, firstNote = 1e9;
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
        firstNote = std::min(firstNote, FirstNoteMs(*engine, start));
    }
    std::printf("%-45s synth + soundfont: best %.1f ms, mean %.1f ms; first note %.1f ms\n",
                path.c_str(), best, total / kRuns, firstNote);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths(argv + 1, argv + argc);
    if (paths.empty()) paths = tinsori::FluidSynthEngine::defaultSoundfonts();
    for (const std::string& path : paths)
        if (::access(path.c_str(), R_OK) == 0) timeSoundfont(path);

    std::string error;
    const auto start = Clock::now();
    auto port = tinsori::FluidSynthPort::open("", "", &error);
    std::printf("live open (audio driver included): %.1f ms, %s\n", millisecondsSince(start),
                port ? port->describe().c_str() : error.c_str());
    return 0;
}
