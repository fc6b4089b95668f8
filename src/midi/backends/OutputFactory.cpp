#include "midi/backends/OutputFactory.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

#include "midi/backends/AudioFileRenderer.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/FluidSynthPort.h"
#include "midi/chimes/ChimeSynth.h"
#include "midi/ports/MessageLogWriter.h"
#include "midi/ports/SmfWriter.h"
#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

struct RenderTarget {
    const std::string& path;
    const OutputChoice& synth;
    const TickClock& clock;
    std::optional<double> loudnessLufs;
};

// The synthesizer of an audio render.
std::unique_ptr<AudioSynth> OpenSynth(const OutputChoice& choice, std::string* error) {
    if (EqualsIgnoringCase(choice.output, kChimesOutput))
        return std::make_unique<ChimeSynth>(choice.ring, choice.gainDb);
    return FluidSynthEngine::create(choice.soundfont, error, choice.gainDb);
}

// One kind of render file: its endings and the writer that makes it.
struct RenderWriter {
    std::vector<std::string> (*endings)();
    const char* what;
    std::unique_ptr<RenderSink> (*create)(const RenderTarget& target, std::string* error);
};

constexpr std::array kRenderWriters = {
    RenderWriter{AudioFileRenderer::audioEndings, "audio",
                 [](const RenderTarget& t, std::string* error) -> std::unique_ptr<RenderSink> {
                     auto synth = OpenSynth(t.synth, error);
                     if (!synth) return nullptr;
                     return AudioFileRenderer::create(t.clock, t.path, std::move(synth), error,
                                                      t.loudnessLufs);
                 }},
    RenderWriter{[] {
                     return std::vector<std::string>{"mid", "midi"};
                 },
                 "a MIDI file",
                 [](const RenderTarget& t, std::string* error) -> std::unique_ptr<RenderSink> {
                     return SmfWriter::create(t.clock, t.path, error);
                 }},
    RenderWriter{[] {
                     return std::vector<std::string>{"log", "txt"};
                 },
                 "the message log",
                 [](const RenderTarget& t, std::string* error) -> std::unique_ptr<RenderSink> {
                     return MessageLogWriter::create(t.path, t.clock, error);
                 }},
};

bool EndsInOneOf(const std::string& path, const std::vector<std::string>& endings) {
    return std::ranges::any_of(endings, [&path](const std::string& ending) {
        return EndsWithIgnoringCase(path, "." + ending);
    });
}

const RenderWriter* WriterFor(const std::string& path) {
    const auto writer = std::ranges::find_if(
        kRenderWriters, [&path](const RenderWriter& w) { return EndsInOneOf(path, w.endings()); });
    return writer == kRenderWriters.end() ? nullptr : &*writer;
}

}  // namespace

std::vector<std::string> ListAudioDrivers() {
    std::vector<std::string> drivers = FluidSynthPort::audioDriverNames();
    std::erase_if(drivers, IsFileAudioDriver);
    return drivers;
}

bool IsFileAudioDriver(const std::string& name) {
    return EqualsIgnoringCase(name, "file");
}

std::vector<RenderFileKind> RenderFileKinds() {
    std::vector<RenderFileKind> kinds;
    std::ranges::transform(kRenderWriters, std::back_inserter(kinds), [](const RenderWriter& w) {
        return RenderFileKind{w.endings(), w.what};
    });
    return kinds;
}

bool IsRenderPath(const std::string& path) {
    return WriterFor(path) != nullptr;
}

bool IsAudioRenderPath(const std::string& path) {
    return WriterFor(path) == &kRenderWriters.front();
}

std::string RenderPathRefusal(const std::string& path) {
    if (IsRenderPath(path)) return {};
    return "cannot render to " + path + ": give a file ending in " + RenderEndingsText();
}

std::string FindSoundfont(const std::string& userPath, std::string* error) {
    return FluidSynthEngine::findSoundfont(userPath, error);
}

std::string RenderEndingsText() {
    std::string text;
    for (const RenderWriter& writer : kRenderWriters) {
        for (const std::string& ending : writer.endings()) text += " ." + ending;
    }
    return text.substr(1);
}

std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const OutputChoice& synth,
                                           const TickClock& clock, std::string* error,
                                           std::optional<double> loudnessLufs) {
    const RenderWriter* writer = WriterFor(path);
    if (!writer) {
        if (error) *error = RenderPathRefusal(path);
        return nullptr;
    }
    return writer->create({path, synth, clock, loudnessLufs}, error);
}

}  // namespace tinsori
