#include "midi/backends/OutputFactory.h"

#include <strings.h>

#include "midi/backends/AlsaSeqPort.h"
#include "midi/backends/AudioFileRenderer.h"
#include "midi/backends/ChimesPort.h"
#include "midi/backends/FluidSynthPort.h"
#include "midi/chimes/ChimeSynth.h"
#include "midi/ports/ForwardingPort.h"
#include "midi/ports/MessageLogWriter.h"
#include "midi/ports/NullPort.h"
#include "midi/ports/SmfWriter.h"

namespace tinsori {

namespace {

bool sameName(const std::string& a, const char* b) {
    return ::strcasecmp(a.c_str(), b) == 0;
}

bool endsWithIgnoringCase(const std::string& path, const char* ending) {
    const size_t n = std::char_traits<char>::length(ending);
    return path.size() >= n && ::strcasecmp(path.c_str() + path.size() - n, ending) == 0;
}

// The renders that need no synthesizer; RenderEndingsText lists the same endings.
bool isMidiFilePath(const std::string& path) {
    return endsWithIgnoringCase(path, ".mid") || endsWithIgnoringCase(path, ".midi");
}

bool isLogPath(const std::string& path) {
    return endsWithIgnoringCase(path, ".log") || endsWithIgnoringCase(path, ".txt");
}

// The synthesizer of an audio render.
std::unique_ptr<AudioSynth> OpenSynth(const OutputChoice& choice, std::string* error) {
    if (sameName(choice.output, kChimesOutput))
        return std::make_unique<ChimeSynth>(choice.ring, choice.gainDb);
    return FluidSynthEngine::create(choice.soundfont, error, choice.gainDb);
}

}  // namespace

std::unique_ptr<MidiPort> OpenOutput(const OutputChoice& choice, std::string* error) {
    if (choice.lent) return std::make_unique<ForwardingPort>(*choice.lent);
    if (choice.output.empty() || sameName(choice.output, kFluidSynthOutput))
        return FluidSynthPort::open(choice.soundfont, choice.audioDriver, error, choice.gainDb,
                                    choice.liveTicks);
    if (sameName(choice.output, kNoOutput)) return std::make_unique<NullPort>();
    std::string reason;
    if (sameName(choice.output, kChimesOutput)) {
        auto chimes = ChimesPort::open(choice.ring, choice.gainDb, choice.liveTicks, &reason);
        if (!chimes && error) *error = "cannot play the modelled chimes: " + reason;
        return chimes;
    }
    auto port = AlsaSeqPort::open(choice.output, &reason);
    if (!port && error) *error = "cannot open the output \"" + choice.output + "\": " + reason;
    return port;
}

std::vector<std::string> ListOutputs() {
    std::vector<std::string> names = {kFluidSynthOutput, kChimesOutput, kNoOutput};
    for (std::string& port : AlsaSeqPort::listPorts()) names.push_back(std::move(port));
    return names;
}

std::vector<std::string> ListAudioDrivers() {
    return FluidSynthPort::audioDriverNames();
}

bool IsRenderPath(const std::string& path) {
    return AudioFileRenderer::handlesPath(path) || isMidiFilePath(path) || isLogPath(path);
}

std::string RenderEndingsText() {
    std::string text;
    for (const std::string& ending : AudioFileRenderer::audioEndings()) text += "." + ending + " ";
    return text + ".mid .midi .log .txt";
}

std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const OutputChoice& synth,
                                           const TickClock& clock, std::string* error,
                                           std::optional<double> loudnessLufs) {
    if (AudioFileRenderer::handlesPath(path)) {
        auto audio = OpenSynth(synth, error);
        if (!audio) return nullptr;
        return AudioFileRenderer::create(clock, path, std::move(audio), error, loudnessLufs);
    }
    if (isMidiFilePath(path)) return SmfWriter::create(clock, path, error);
    if (!isLogPath(path)) {
        if (error)
            *error = "cannot render to " + path + ": give a file ending in " + RenderEndingsText();
        return nullptr;
    }
    return MessageLogWriter::create(path, clock, error);
}

}  // namespace tinsori
