#include "app/CommandLine.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "midi/backends/AlsaSeqPort.h"
#include "midi/backends/AudioFileRenderer.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/OutputFactory.h"

namespace tinsori {

namespace {

using Setter = bool (*)(CommandLine&, const std::string&, std::string&);

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool AsksForInformation(RunMode mode) {
    return mode == RunMode::Help || mode == RunMode::Version;
}

bool SetMode(CommandLine& line, RunMode mode, const std::string& option, std::string& error) {
    // As usual, --help and --version take over the run, and the first of them wins.
    if (AsksForInformation(line.mode)) return true;
    if (AsksForInformation(mode)) {
        line.mode = mode;
        return true;
    }
    if (line.mode != RunMode::Play && line.mode != mode) {
        error = option + " cannot be combined with the other action given";
        return false;
    }
    line.mode = mode;
    return true;
}

// How one numeric option reads its value: every number is plain decimal, an optional sign and
// fraction and nothing else, so that "0x10", " 5" and "1e3" are mistakes rather than surprises.
struct NumberRule {
    const char* what;  // "gain", as the message names it
    const char* unit;  // "decibels"
    double low;
    double high;
    const char* example;    // "6 or -3.5"
    bool whole = false;     // no fraction (the seed)
    bool aboveLow = false;  // `low` itself is not allowed (the sleep timer)
    void (*store)(CommandLine&, double);
};

bool IsPlainDecimal(const std::string& text) {
    size_t at = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    const size_t digits = text.find_first_not_of("0123456789", at);
    const size_t whole = (digits == std::string::npos ? text.size() : digits) - at;
    if (digits == std::string::npos) return whole > 0;
    if (text[digits] != '.') return false;
    const size_t fraction = text.size() - digits - 1;
    return (whole > 0 || fraction > 0) &&
           text.find_first_not_of("0123456789", digits + 1) == std::string::npos;
}

// The value of a plain decimal; false when it is not one or lies outside the rule's range.
bool ReadNumber(const NumberRule& rule, const std::string& text, double& value) {
    if (!IsPlainDecimal(text) || (rule.whole && text.find('.') != std::string::npos)) return false;
    // Digits alone cannot make a NaN; they can overflow (to infinity) or underflow to a tiny
    // value or zero, which is simply that number.
    value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value)) return false;
    return value <= rule.high && (rule.aboveLow ? value > rule.low : value >= rule.low);
}

std::string RangeText(double value) {
    std::ostringstream text;
    text.precision(15);
    text << value;
    return text.str();
}

bool ApplyNumber(const NumberRule& rule, CommandLine& line, const std::string& text,
                 std::string& error) {
    double value = 0;
    if (!ReadNumber(rule, text, value)) {
        error = std::string("bad ") + rule.what + " '" + text + "': give " +
                (rule.whole ? "a whole number" : rule.unit) +
                (rule.aboveLow ? " above " : " from ") + RangeText(rule.low) +
                (rule.aboveLow ? " up to " : " to ") + RangeText(rule.high) + ", such as " +
                rule.example;
        return false;
    }
    rule.store(line, value);
    return true;
}

const std::map<std::string, NumberRule>& NumberOptions() {
    static const std::map<std::string, NumberRule> options = {
        {"--gain",
         {"gain", "decibels", kMinGainDb, kMaxGainDb, "6 or -3.5", false, false,
          [](CommandLine& l, double v) { l.gainDb = v; }}},
        {"--duration",
         {"duration", "seconds", 0.0, kMaxRenderSeconds, "30 or 2.5", false, false,
          [](CommandLine& l, double v) { l.durationSeconds = v; }}},
        {"--loudness",
         {"loudness", "LUFS", kMinLoudnessLufs, kMaxLoudnessLufs, "-16 or -23", false, false,
          [](CommandLine& l, double v) { l.loudnessLufs = v; }}},
        {"--fade",
         {"fade", "seconds", 0.0, kMaxRenderSeconds, "30", false, false,
          [](CommandLine& l, double v) { l.fadeSeconds = v; }}},
        // Fractions of a minute too: a short timer is handy to try it out.
        {"--sleep",
         {"sleep time", "minutes", 0.0, kMaxSleepMinutes, "30", false, true,
          [](CommandLine& l, double v) { l.sleepMinutes = v; }}},
        {"--seed",
         {"seed", "", 0.0, 4294967295.0, "7", true, false,
          [](CommandLine& l, double v) { l.seed = static_cast<uint32_t>(v); }}},
    };
    return options;
}

// A text option that only keeps its value in the line.
template <auto Field>
bool Keep(CommandLine& line, const std::string& value, std::string&) {
    line.*Field = value;
    return true;
}

// Options that take a text value, each with what it does with it.
const std::map<std::string, Setter>& TextOptions() {
    static const std::map<std::string, Setter> options = {
        {"--profile", Keep<&CommandLine::profilePath>},
        {"--output", Keep<&CommandLine::output>},
        {"--soundfont", Keep<&CommandLine::soundfont>},
        {"--audio-driver", Keep<&CommandLine::audioDriver>},
        {"--favorite", Keep<&CommandLine::favorite>},
        {"--midi-log", Keep<&CommandLine::midiLog>},
        {"--render",
         [](CommandLine& l, const std::string& v, std::string& e) {
             l.renderFile = v;
             return SetMode(l, RunMode::Render, "--render", e);
         }},
        {"--export-profile",
         [](CommandLine& l, const std::string& v, std::string& e) {
             l.profileFile = v;
             return SetMode(l, RunMode::ExportProfile, "--export-profile", e);
         }},
        {"--import-profile",
         [](CommandLine& l, const std::string& v, std::string& e) {
             l.profileFile = v;
             return SetMode(l, RunMode::ImportProfile, "--import-profile", e);
         }},
    };
    return options;
}

// The audio endings, wrapped to fit the help's column.
std::string AudioEndingsLine() {
    std::string line;
    size_t width = 0;
    for (const std::string& ending : AudioFileRenderer::audioEndings()) {
        if (!line.empty()) line += width > 40 ? (width = 0, "\n                           ") : " ";
        line += "." + ending;
        width += ending.size() + 2;
    }
    return line;
}

bool TakesValue(const std::string& option) {
    return TextOptions().count(option) || NumberOptions().count(option);
}

bool ApplyValue(CommandLine& line, const std::string& option, const std::string& value,
                std::string& error) {
    const auto number = NumberOptions().find(option);
    if (number != NumberOptions().end()) return ApplyNumber(number->second, line, value, error);
    return TextOptions().at(option)(line, value, error);
}

// "--name", or a dash and a letter ("-h"); "-3," is a word of a Settings line.
bool IsOption(const std::string& arg) {
    if (arg.rfind("--", 0) == 0) return true;
    return arg.size() >= 2 && arg[0] == '-' && std::isalpha(static_cast<unsigned char>(arg[1]));
}

bool ApplyFlag(CommandLine& line, const std::string& option, std::string& error) {
    if (option == "--no-gui") {
        line.noGui = true;
        return true;
    }
    if (option == "--minimized") {
        line.minimized = true;
        return true;
    }
    if (option == "--view") {
        line.liveView = true;
        return true;
    }
    if (option == "--version" || option == "-V")
        return SetMode(line, RunMode::Version, option, error);
    if (option == "--help" || option == "-h") return SetMode(line, RunMode::Help, option, error);
    if (option == "--list-outputs") return SetMode(line, RunMode::ListOutputs, option, error);
    if (option == "--list-audio-drivers")
        return SetMode(line, RunMode::ListAudioDrivers, option, error);
    if (option == "--list-favorites") return SetMode(line, RunMode::ListFavorites, option, error);
    error = "unknown option " + option + " (see --help)";
    return false;
}

// The words without dashes are the original program's command line, which only ever acts on a
// "Settings,..." line: anything else is a mistyped option or a stray word.
bool CheckWords(const CommandLine& line, std::string& error) {
    if (line.settingsLine.empty()) return true;
    const std::string first = line.settingsLine.substr(0, line.settingsLine.find(','));
    if (SameName(first, "Settings")) return true;
    const std::string word = line.settingsLine.substr(0, line.settingsLine.find(' '));
    error = "unexpected '" + word + "': options start with --, and the only other words are a " +
            "Settings,... line (see --help)";
    return false;
}

bool CheckCombination(const CommandLine& line, std::string& error) {
    if (AsksForInformation(line.mode)) return true;
    if (!CheckWords(line, error)) return false;
    if (line.mode == RunMode::Render && !line.durationSeconds) {
        error = "--render needs --duration SECONDS";
        return false;
    }
    if (line.mode != RunMode::Render && line.durationSeconds) {
        error = "--duration only goes with --render FILE";
        return false;
    }
    if (line.mode != RunMode::Render && line.fadeSeconds) {
        error = "--fade only goes with --render FILE (--sleep fades live play)";
        return false;
    }
    if (line.loudnessLufs &&
        (line.mode != RunMode::Render || !AudioFileRenderer::handlesPath(line.renderFile))) {
        error = "--loudness only goes with --render to an audio file";
        return false;
    }
    if (line.loudnessLufs && line.gainDb) {
        error = "--loudness sets the level itself: leave out --gain";
        return false;
    }
    return true;
}

// Writable without creating it now: an existing regular file we may write, or a new name in a
// folder we may write.
bool IsWritableTarget(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(target, ec)) {
        return fs::is_regular_file(target, ec) && access(path.c_str(), W_OK) == 0;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return fs::is_directory(folder, ec) && access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::optional<CommandLine> CommandLine::Parse(const std::vector<std::string>& args,
                                              std::string& error) {
    CommandLine line;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string option = arg.substr(0, equals);
        if (!TakesValue(option)) {
            if (!ApplyFlag(line, option, error)) return std::nullopt;
            if (equals != std::string::npos) {
                error = option + " takes no value";
                return std::nullopt;
            }
            continue;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = option + " needs a value (see --help)";
            return std::nullopt;
        }
        if (!ApplyValue(line, option, value, error)) return std::nullopt;
    }
    for (size_t i = 0; i < words.size(); ++i) {
        line.settingsLine += (i ? " " : "") + words[i];
    }
    if (!CheckCombination(line, error)) return std::nullopt;
    return line;
}

uint32_t CommandLine::durationTicks() const {
    return static_cast<uint32_t>(std::llround(durationSeconds.value_or(0.0) * 1000.0));
}

uint32_t CommandLine::sleepTicks() const {
    return static_cast<uint32_t>(std::llround(sleepMinutes.value_or(0.0) * 60000.0));
}

uint32_t CommandLine::fadeTicks() const {
    return static_cast<uint32_t>(std::llround(fadeSeconds.value_or(0.0) * 1000.0));
}

bool CommandLine::CheckEnvironment(const NameList& knownOutputs, const NameList& knownAudioDrivers,
                                   std::string& error) const {
    // Checked in every mode: a file that is no soundfont would otherwise play silence forever.
    if (!soundfont.empty() && FluidSynthEngine::findSoundfont(soundfont, &error).empty())
        return false;
    if (!midiLog.empty() && !IsWritableTarget(midiLog)) {
        error = "cannot write the MIDI log " + midiLog;
        return false;
    }
    if (mode == RunMode::Render && !IsRenderPath(renderFile)) {
        error = "cannot render to " + renderFile + ": give a file ending in " + RenderEndingsText();
        return false;
    }
    if (mode == RunMode::Render && !IsWritableTarget(renderFile)) {
        error = "cannot write the render file " + renderFile;
        return false;
    }
    // Checked in every mode: the choice is remembered, and a wrong one would fail every later run.
    if (output && !SameName(*output, kFluidSynthOutput) && !SameName(*output, kChimesOutput) &&
        !SameName(*output, kNoOutput) && AlsaSeqPort::matchPort(knownOutputs(), *output) < 0) {
        error = "unknown output '" + *output + "' (see --list-outputs)";
        return false;
    }
    if (!audioDriver.empty()) {
        const std::vector<std::string> drivers = knownAudioDrivers();
        if (std::find(drivers.begin(), drivers.end(), audioDriver) == drivers.end()) {
            error = "unknown audio driver '" + audioDriver + "' (see --list-audio-drivers)";
            return false;
        }
    }
    return true;
}

std::string CommandLine::HelpText(const std::string& profilePath, const std::string& soundfont) {
    std::ostringstream text;
    text << "Usage: tinsori [OPTIONS] [--] [Settings,<favorite values>]\n"
            "Plays an endless piece of wind-chime music.\n\n"
            "  --no-gui                 play without a window until Ctrl+C (SIGINT) or SIGTERM\n"
            "  --minimized              start hidden, as a program started minimized\n"
            "  --view                   open the live view of the chimes at start\n"
            "  --favorite NAME          play the stored favorite NAME (any case)\n"
            "  --list-favorites         list the stored favorites\n"
            "  --output NAME            fluidsynth (default), chimes (modelled tubes), none, or\n"
            "                           an ALSA sequencer port (its whole name or client:port);\n"
            "                           remembered; renders to audio play through chimes when\n"
            "                           chosen, else through fluidsynth\n"
            "  --list-outputs           list the outputs --output accepts\n"
            "  --soundfont FILE         General MIDI soundfont of the embedded synthesizer\n"
            "  --audio-driver NAME      FluidSynth audio driver (see --list-audio-drivers)\n"
            "  --list-audio-drivers     list the audio drivers, in the order they are tried\n"
            "  --gain DB                synthesizer level in decibels, -60 to 10 (default 0:\n"
            "                           the built-in favorites' median at -23 LUFS); a\n"
            "                           limiter keeps live play and renders under -1 dBTP\n"
            "  --render FILE            render to FILE faster than real time, by its ending:\n"
            "                           audio ("
         << AudioEndingsLine()
         << "),\n"
            "                           .mid/.midi a MIDI file, .log/.txt the message log;\n"
            "                           an audio render prints its integrated loudness,\n"
            "                           true peak and peak (-24 LUFS, -6.5 dBTP at the defaults)\n"
            "  --duration SECONDS       length of the render; then the closing chime run and a\n"
            "                           1 s wait follow, as when the window closes, and audio\n"
            "                           rings out 3 s more: about 4.5 s beyond SECONDS\n"
            "  --seed N                 random seed of the render or the live play (printed\n"
            "                           when not given), to hear the same piece again\n"
            "  --loudness LUFS          normalize an audio render to this integrated loudness,\n"
            "                           -60 to -5 (-16 streaming, -23 broadcast), under the\n"
            "                           limiter; needs free space beside FILE for the audio\n"
            "                           as floats (1.3 GB an hour) until it is done\n"
            "  --fade SECONDS           fade the last SECONDS of the render out to silence\n"
            "  --sleep MINUTES          sleep timer: fade out over the last minute, then stop\n"
            "                           (the window pauses instead)\n"
            "  --midi-log FILE          append one line per MIDI message sent\n"
            "  --profile FILE           the profile (settings) file; also TINSORI_PROFILE\n"
            "  --export-profile FILE|-  write the profile as registry text\n"
            "  --import-profile FILE    read a profile exported as registry text\n"
            "  -V, --version            print the version\n"
            "  -h, --help               print this help\n"
            "  --                       end of the options\n\n"
            "Other words must form one Settings,... line (it plays those values); anything\n"
            "else is a mistake. A mistake prints one line and exits with status 2 without\n"
            "changing the profile.\n\n"
         << "Profile:   " << profilePath << "\n"
         << "Soundfont: " << (soundfont.empty() ? "none found" : soundfont) << "\n";
    return text.str();
}

}  // namespace tinsori
