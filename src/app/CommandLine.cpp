#include "app/CommandLine.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace tinsori {

namespace {

using Setter = bool (*)(CommandLine&, const std::string&, std::string&);

bool SetMode(CommandLine& line, RunMode mode, const std::string& option, std::string& error) {
    if (line.mode != RunMode::Play && line.mode != mode) {
        error = option + " cannot be combined with the other action given";
        return false;
    }
    line.mode = mode;
    return true;
}

bool ParseDuration(const std::string& text, double& seconds) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    seconds = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(seconds) && seconds >= 0.0 &&
           seconds <= kMaxRenderSeconds;
}

// A number of minutes above 0 (fractions too: a short timer is handy to try it out).
bool ParseSleep(const std::string& text, double& minutes) {
    return ParseDuration(text, minutes) && minutes > 0.0 && minutes <= kMaxSleepMinutes;
}

bool ParseSeed(const std::string& text, uint32_t& seed) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || value > 0xFFFFFFFFull) return false;
    seed = static_cast<uint32_t>(value);
    return true;
}

// Options that take a value, each with what it does with it.
const std::map<std::string, Setter>& ValueOptions() {
    static const std::map<std::string, Setter> options = {
        {"--profile",
         [](CommandLine& l, const std::string& v, std::string&) {
             l.profilePath = v;
             return true;
         }},
        {"--output",
         [](CommandLine& l, const std::string& v, std::string&) {
             l.output = v;
             return true;
         }},
        {"--soundfont",
         [](CommandLine& l, const std::string& v, std::string&) {
             l.soundfont = v;
             return true;
         }},
        {"--audio-driver",
         [](CommandLine& l, const std::string& v, std::string&) {
             l.audioDriver = v;
             return true;
         }},
        {"--midi-log",
         [](CommandLine& l, const std::string& v, std::string&) {
             l.midiLog = v;
             return true;
         }},
        {"--render",
         [](CommandLine& l, const std::string& v, std::string& e) {
             l.renderFile = v;
             return SetMode(l, RunMode::Render, "--render", e);
         }},
        {"--duration",
         [](CommandLine& l, const std::string& v, std::string& e) {
             double seconds = 0;
             if (!ParseDuration(v, seconds)) {
                 e = "bad duration '" + v + "': give seconds from 0 to 4000000, such as 30 or 2.5";
                 return false;
             }
             l.durationSeconds = seconds;
             return true;
         }},
        {"--seed",
         [](CommandLine& l, const std::string& v, std::string& e) {
             uint32_t seed = 0;
             if (!ParseSeed(v, seed)) {
                 e = "bad seed '" + v + "': give a whole number from 0 to 4294967295";
                 return false;
             }
             l.seed = seed;
             return true;
         }},
        {"--sleep",
         [](CommandLine& l, const std::string& v, std::string& e) {
             double minutes = 0;
             if (!ParseSleep(v, minutes)) {
                 e = "bad sleep time '" + v + "': give minutes above 0 up to 1440, such as 30";
                 return false;
             }
             l.sleepMinutes = minutes;
             return true;
         }},
        {"--fade",
         [](CommandLine& l, const std::string& v, std::string& e) {
             double seconds = 0;
             if (!ParseDuration(v, seconds)) {
                 e = "bad fade '" + v + "': give seconds from 0 to 4000000, such as 30";
                 return false;
             }
             l.fadeSeconds = seconds;
             return true;
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

bool ApplyFlag(CommandLine& line, const std::string& option, std::string& error) {
    if (option == "--no-gui") {
        line.noGui = true;
        return true;
    }
    if (option == "--minimized") {
        line.minimized = true;
        return true;
    }
    if (option == "--version") return SetMode(line, RunMode::Version, option, error);
    if (option == "--help") return SetMode(line, RunMode::Help, option, error);
    if (option == "--list-outputs") return SetMode(line, RunMode::ListOutputs, option, error);
    error = "unknown option " + option + " (see --help)";
    return false;
}

bool CheckCombination(const CommandLine& line, std::string& error) {
    if (line.mode == RunMode::Render && !line.durationSeconds) {
        error = "--render needs --duration SECONDS";
        return false;
    }
    if (line.mode != RunMode::Render && (line.durationSeconds || line.seed)) {
        error = "--duration and --seed only go with --render FILE";
        return false;
    }
    if (line.mode != RunMode::Render && line.fadeSeconds) {
        error = "--fade only goes with --render FILE (--sleep fades live play)";
        return false;
    }
    return true;
}

bool IsReadableFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && access(path.c_str(), R_OK) == 0;
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

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<CommandLine> CommandLine::Parse(const std::vector<std::string>& args,
                                              std::string& error) {
    CommandLine line;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            words.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string option = arg.substr(0, equals);
        const auto found = ValueOptions().find(option);
        if (found == ValueOptions().end()) {
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
        if (!found->second(line, value, error)) return std::nullopt;
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

bool CommandLine::CheckEnvironment(const std::function<std::vector<std::string>()>& knownOutputs,
                                   std::string& error) const {
    if (!soundfont.empty() && !IsReadableFile(soundfont)) {
        error = "cannot read the soundfont " + soundfont;
        return false;
    }
    if (!midiLog.empty() && !IsWritableTarget(midiLog)) {
        error = "cannot write the MIDI log " + midiLog;
        return false;
    }
    if (mode == RunMode::Render && !IsWritableTarget(renderFile)) {
        error = "cannot write the render file " + renderFile;
        return false;
    }
    if (mode == RunMode::Play && output && !SameName(*output, "fluidsynth") &&
        !SameName(*output, "none")) {
        bool known = false;
        for (const std::string& name : knownOutputs()) {
            known = known || SameName(name, *output) || name.find(*output) != std::string::npos;
        }
        if (!known) {
            error = "unknown output '" + *output + "' (see --list-outputs)";
            return false;
        }
    }
    return true;
}

std::string CommandLine::HelpText() {
    std::ostringstream text;
    text << "Usage: tinsori [OPTIONS] [Settings,<favorite values>]\n"
            "Plays an endless piece of wind-chime music.\n\n"
            "  --no-gui                 play without a window until Ctrl+C (SIGINT) or SIGTERM\n"
            "  --minimized              start hidden, as a program started minimized\n"
            "  --output NAME            fluidsynth (default), none, or an ALSA sequencer port\n"
            "                           (name or client:port); remembered for later runs\n"
            "  --list-outputs           list the outputs --output accepts\n"
            "  --soundfont FILE         General MIDI soundfont of the embedded synthesizer\n"
            "  --audio-driver NAME      FluidSynth audio driver (pipewire, pulseaudio, alsa, "
            "jack)\n"
            "  --render FILE            render to FILE faster than real time: .wav .flac .ogg\n"
            "                           audio, .mid a MIDI file, any other ending the message "
            "log\n"
            "  --duration SECONDS       length of the render\n"
            "  --seed N                 random seed of the render (printed when not given)\n"
            "  --fade SECONDS           fade the last SECONDS of the render out to silence\n"
            "  --sleep MINUTES          sleep timer: fade out over the last minute, then stop\n"
            "                           (the window pauses instead)\n"
            "  --midi-log FILE          append one line per MIDI message sent\n"
            "  --profile FILE           the profile (settings) file; also TINSORI_PROFILE\n"
            "  --export-profile FILE|-  write the profile as registry text\n"
            "  --import-profile FILE    read a profile exported as registry text\n"
            "  --version                print the version\n"
            "  --help                   print this help\n";
    return text.str();
}

}  // namespace tinsori
