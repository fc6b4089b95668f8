#include "midi/backends/OutputFactory.h"

#include <strings.h>

#include "midi/backends/win32/WinMmPort.h"
#include "midi/ports/ForwardingPort.h"
#include "midi/ports/MessageLogWriter.h"
#include "midi/ports/NullPort.h"
#include "midi/ports/SmfWriter.h"

namespace tinsori {

namespace {

bool SameName(const std::string& a, const char* b) {
    return ::strcasecmp(a.c_str(), b) == 0;
}

bool EndsWithIgnoringCase(const std::string& path, const char* ending) {
    const size_t n = std::char_traits<char>::length(ending);
    return path.size() >= n && ::strcasecmp(path.c_str() + path.size() - n, ending) == 0;
}

bool IsMidiFilePath(const std::string& path) {
    return EndsWithIgnoringCase(path, ".mid") || EndsWithIgnoringCase(path, ".midi");
}

bool IsLogPath(const std::string& path) {
    return EndsWithIgnoringCase(path, ".log") || EndsWithIgnoringCase(path, ".txt");
}

// The endings Linux renders as audio through the embedded synthesizer, which Windows lacks: said
// so when asked for, rather than "not an ending we know".
bool IsLinuxAudioPath(const std::string& path) {
    for (const char* ending : {".wav", ".flac", ".ogg", ".oga", ".aiff", ".aif", ".au", ".caf",
                               ".w64", ".rf64", ".mp3", ".opus"})
        if (EndsWithIgnoringCase(path, ending)) return true;
    return false;
}

}  // namespace

// The default output, and a profile remembering the Linux default, play through the mapper.
std::unique_ptr<MidiPort> OpenOutput(const OutputChoice& choice, std::string* error) {
    if (choice.lent) return std::make_unique<ForwardingPort>(*choice.lent);
    if (choice.output.empty() || SameName(choice.output, WinMmPort::kMapperName) ||
        SameName(choice.output, kFluidSynthOutput))
        return WinMmPort::openMapper(error);
    if (SameName(choice.output, kNoOutput)) return std::make_unique<NullPort>();
    return WinMmPort::openDevice(choice.output, error);
}

std::string OpenFailureHint(const std::string&) {
    return " Close other programs that may be using MIDI, or see --list-outputs for the devices "
           "there are.";
}

std::vector<std::string> ListOutputs() {
    std::vector<std::string> names = {WinMmPort::kMapperName, kNoOutput};
    for (std::string& device : WinMmPort::listDevices()) names.push_back(std::move(device));
    return names;
}

std::vector<std::string> ListAudioDrivers() {
    return {};
}

bool IsRenderPath(const std::string& path) {
    return IsMidiFilePath(path) || IsLogPath(path);
}

std::string RenderEndingsText() {
    return ".mid .midi .log .txt";
}

std::string RenderPathRefusal(const std::string& path) {
    if (IsRenderPath(path)) return {};
    if (IsLinuxAudioPath(path))
        return "cannot render to " + path +
               ": audio renders need the embedded synthesizer, which the Windows build lacks "
               "(render to .mid or .log)";
    return "cannot render to " + path + ": give a file ending in " + RenderEndingsText();
}

std::vector<std::string> AudioRenderEndings() {
    return {};
}

bool IsAudioRenderPath(const std::string&) {
    return false;
}

std::string FindSoundfont(const std::string&, std::string* error) {
    if (error) *error = "this Windows build has no synthesizer: --soundfont does not apply";
    return {};
}

std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const std::string&,
                                           const TickClock& clock, std::string* error, double,
                                           std::optional<double>) {
    if (IsMidiFilePath(path)) return SmfWriter::create(clock, path, error);
    if (IsLogPath(path)) return MessageLogWriter::create(path, clock, error);
    if (error) *error = RenderPathRefusal(path);
    return nullptr;
}

}  // namespace tinsori
