#include "midi/backends/OutputFactory.h"

#include <algorithm>

#include "midi/ports/MessageLogWriter.h"
#include "midi/ports/SmfWriter.h"
#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

// Windows has no embedded synthesizer: renders write MIDI files and message logs only.
const std::vector<std::string> kMidiFileEndings = {"mid", "midi"};
const std::vector<std::string> kLogEndings = {"log", "txt"};
// What Linux renders as audio, so that asking for it here is told why it cannot be.
const std::vector<std::string> kAudioEndings = {"wav",  "flac", "ogg", "oga", "aif",
                                                "aiff", "au",   "caf", "w64", "rf64"};

bool EndsInOneOf(const std::string& path, const std::vector<std::string>& endings) {
    return std::ranges::any_of(endings, [&path](const std::string& ending) {
        return EndsWithIgnoringCase(path, "." + ending);
    });
}

}  // namespace

std::vector<std::string> ListAudioDrivers() {
    return {};
}

bool IsFileAudioDriver(const std::string&) {
    return false;
}

std::vector<RenderFileKind> RenderFileKinds() {
    return {{kMidiFileEndings, "a MIDI file"}, {kLogEndings, "the message log"}};
}

bool IsRenderPath(const std::string& path) {
    return EndsInOneOf(path, kMidiFileEndings) || EndsInOneOf(path, kLogEndings);
}

bool IsAudioRenderPath(const std::string&) {
    return false;
}

std::string RenderPathRefusal(const std::string& path) {
    if (IsRenderPath(path)) return {};
    if (EndsInOneOf(path, kAudioEndings))
        return "cannot render to " + path +
               ": audio renders need the embedded synthesizer, which the Windows build lacks "
               "(render to .mid or .log)";
    return "cannot render to " + path + ": give a file ending in " + RenderEndingsText();
}

std::string FindSoundfont(const std::string&, std::string* error) {
    if (error) *error = "the Windows build has no synthesizer: --soundfont does not apply";
    return {};
}

std::string RenderEndingsText() {
    return ".mid .midi .log .txt";
}

std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const OutputChoice&,
                                           const TickClock& clock, std::string* error,
                                           std::optional<double>) {
    if (EndsInOneOf(path, kMidiFileEndings)) return SmfWriter::create(clock, path, error);
    if (EndsInOneOf(path, kLogEndings)) return MessageLogWriter::create(path, clock, error);
    if (error) *error = RenderPathRefusal(path);
    return nullptr;
}

}  // namespace tinsori
