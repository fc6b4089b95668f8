// The render-speed baseline: a bare FluidSynth program that renders a message log
// (`tick status data1 data2` lines, status in hex) to a WAV file with the same sample rate, gain,
// soundfont and default effects as the program's renderer, events applied at their exact frame.
// The same log is then rendered through the program's own renderer for comparison.
//
//   bench_BareFluidSynthRender [LOG] [OUT.wav]
// Without a log, ten minutes of dense tubular bells are made up.
#include <fluidsynth.h>
#include <sndfile.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "midi/MidiOut.h"
#include "midi/backends/AudioFileRenderer.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/LibraryLogs.h"
#include "platform/TickClock.h"

namespace {

struct Event {
    uint32_t tick;
    int status, data1, data2;
};

std::vector<Event> readLog(const std::string& path) {
    std::vector<Event> events;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Event e{};
        fields >> e.tick >> std::hex >> e.status >> std::dec >> e.data1 >> e.data2;
        if (fields) events.push_back(e);
    }
    return events;
}

std::vector<Event> madeUpLog() {
    std::vector<Event> events = {{0, 0xC0, 14, 0}, {0, 0xB0, 7, 100}};
    uint32_t state = 1;
    auto next = [&state] {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff);
    };
    for (uint32_t tick = 0; tick < 600000; tick += 40 + next() % 160) {
        const int note = 40 + next() % 40, velocity = 30 + next() % 70;
        events.push_back({tick, 0x90, note, velocity});
        events.push_back({tick, 0x80, note, velocity});
    }
    return events;
}

void apply(fluid_synth_t* synth, const Event& e) {
    const int channel = e.status & 0x0F;
    switch (e.status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth, channel, e.data1);
            break;
        case 0x90:
            fluid_synth_noteon(synth, channel, e.data1, e.data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth, channel, e.data1, e.data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth, channel, e.data1);
            break;
    }
}

double bareRender(const std::vector<Event>& events, const std::string& soundfont,
                  const std::string& out) {
    const auto start = std::chrono::steady_clock::now();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", tinsori::FluidSynthEngine::kSampleRate);
    fluid_settings_setnum(settings, "synth.gain", tinsori::FluidSynthEngine::kGain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_synth_sfload(synth, soundfont.c_str(), 1);
    SF_INFO info{};
    info.samplerate = tinsori::FluidSynthEngine::kSampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(out.c_str(), SFM_WRITE, &info);
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    float buffer[64 * 2];
    uint64_t frame = 0;
    auto renderTo = [&](uint64_t target) {
        while (frame < target) {
            const int n = static_cast<int>(std::min<uint64_t>(64, target - frame));
            fluid_synth_write_float(synth, n, buffer, 0, 2, buffer, 1, 2);
            sf_writef_float(file, buffer, n);
            frame += n;
        }
    };
    for (const Event& e : events) {
        renderTo(uint64_t{e.tick} * info.samplerate / 1000);
        apply(synth, e);
    }
    renderTo((uint64_t{events.back().tick} + tinsori::AudioFileRenderer::kTailMilliseconds) *
             info.samplerate / 1000);
    sf_close(file);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class EventClock : public tinsori::TickClock {
public:
    uint32_t now() const override { return tick; }
    uint32_t tick = 0;
};

double programRender(const std::vector<Event>& events, const std::string& out) {
    const auto start = std::chrono::steady_clock::now();
    EventClock clock;
    std::string error;
    auto renderer = tinsori::AudioFileRenderer::create(
        clock, out, tinsori::FluidSynthEngine::create("", nullptr), &error);
    if (!renderer) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 0;
    }
    for (const Event& e : events) {
        clock.tick = e.tick;
        renderer->send(tinsori::PackShortMessage(e.status, e.data1, e.data2));
    }
    renderer->finish(events.back().tick, &error);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    tinsori::SilenceLibraryLogs();
    const std::vector<Event> events = argc > 1 ? readLog(argv[1]) : madeUpLog();
    const std::string out = argc > 2 ? argv[2] : "/tmp/bare-render.wav";
    const std::string soundfont = tinsori::FluidSynthEngine::findSoundfont("", nullptr);
    if (events.empty() || soundfont.empty()) {
        std::fprintf(stderr, "nothing to render (no events or no soundfont)\n");
        return 1;
    }
    const double audio =
        (events.back().tick + tinsori::AudioFileRenderer::kTailMilliseconds) / 1000.0;
    const double bare = bareRender(events, soundfont, out);
    std::printf("bare FluidSynth: %zu events, %.1f s of audio in %.2f s wall (%.0fx real time)\n",
                events.size(), audio, bare, audio / bare);
    const double ours = programRender(events, out + ".renderer.wav");
    std::printf("AudioFileRenderer: %.2f s wall (%.0fx real time)\n", ours, audio / ours);
    return 0;
}
