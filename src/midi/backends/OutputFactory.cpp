#include "midi/backends/OutputFactory.h"

#include <strings.h>

#include "midi/backends/AlsaSeqPort.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/FluidSynthPort.h"
#include "midi/backends/FluidSynthRenderer.h"
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

}  // namespace

std::unique_ptr<MidiPort> OpenOutput(const OutputChoice& choice, std::string* error) {
    if (choice.lent) return std::make_unique<ForwardingPort>(*choice.lent);
    if (choice.output.empty() || sameName(choice.output, kFluidSynthOutput))
        return FluidSynthPort::open(choice.soundfont, choice.audioDriver, error, choice.gainDb,
                                    choice.liveTicks);
    if (sameName(choice.output, kNoOutput)) return std::make_unique<NullPort>();
    std::string reason;
    auto port = AlsaSeqPort::open(choice.output, &reason);
    if (!port && error) *error = "cannot open the output \"" + choice.output + "\": " + reason;
    return port;
}

// The embedded synthesizer needs an audio driver that starts, a sequencer port must be there.
std::string OpenFailureHint(const std::string& output) {
    if (!output.empty() && output != kFluidSynthOutput)
        return " See --list-outputs for the ports there are.";
    return " Is a sound server running? --list-audio-drivers lists the drivers, --audio-driver "
           "NAME picks one.";
}

std::vector<std::string> ListOutputs() {
    std::vector<std::string> names = {kFluidSynthOutput, kNoOutput};
    for (std::string& port : AlsaSeqPort::listPorts()) names.push_back(std::move(port));
    return names;
}

std::vector<std::string> ListAudioDrivers() {
    return FluidSynthPort::audioDriverNames();
}

bool IsRenderPath(const std::string& path) {
    return FluidSynthRenderer::handlesPath(path) || isMidiFilePath(path) || isLogPath(path);
}

std::string RenderPathRefusal(const std::string& path) {
    if (IsRenderPath(path)) return {};
    return "cannot render to " + path + ": give a file ending in " + RenderEndingsText();
}

std::vector<std::string> AudioRenderEndings() {
    return FluidSynthRenderer::audioEndings();
}

bool IsAudioRenderPath(const std::string& path) {
    return FluidSynthRenderer::handlesPath(path);
}

std::string FindSoundfont(const std::string& userPath, std::string* error) {
    return FluidSynthEngine::findSoundfont(userPath, error);
}

std::string RenderEndingsText() {
    std::string text;
    for (const std::string& ending : FluidSynthRenderer::audioEndings()) text += "." + ending + " ";
    return text + ".mid .midi .log .txt";
}

std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const std::string& soundfont,
                                           const TickClock& clock, std::string* error,
                                           double gainDb, std::optional<double> loudnessLufs) {
    if (FluidSynthRenderer::handlesPath(path))
        return FluidSynthRenderer::create(clock, path, soundfont, error, gainDb, loudnessLufs);
    if (isMidiFilePath(path)) return SmfWriter::create(clock, path, error);
    if (!isLogPath(path)) {
        if (error) *error = RenderPathRefusal(path);
        return nullptr;
    }
    return MessageLogWriter::create(path, clock, error);
}

}  // namespace tinsori
