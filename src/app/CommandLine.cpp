#include "app/CommandLine.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/CommandOption.h"
#include "app/ToolkitOption.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/OutputFactory.h"
#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

// "--name", or a dash and a letter ("-h", "-style"); "-3," is a word of a Settings line.
bool IsOption(const std::string& arg) {
    if (arg.rfind("--", 0) == 0) return true;
    return arg.size() >= 2 && arg[0] == '-' && std::isalpha(static_cast<unsigned char>(arg[1]));
}

// Walks the arguments: options through their table, the rest as words.
class ArgumentReader {
public:
    ArgumentReader(const std::vector<std::string>& args, CommandLine& line, std::string& error)
        : args_(args), line_(line), error_(error) {}

    bool ReadAll() {
        for (; at_ < args_.size(); ++at_) {
            const std::string& arg = args_[at_];
            if (optionsEnded_ || !IsOption(arg)) {
                words_.push_back(arg);
            } else if (!ReadOption(arg)) {
                return false;
            }
        }
        for (size_t i = 0; i < words_.size(); ++i) line_.settingsLine += (i ? " " : "") + words_[i];
        return true;
    }

private:
    bool ReadOption(const std::string& arg) {
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const std::optional<std::string> attached =
            equals == std::string::npos ? std::nullopt : std::optional(arg.substr(equals + 1));
        if (const CommandOption* option = FindCommandOption(name))
            return Apply(*option, name, attached);
        if (const ToolkitOption* option = FindToolkitOption(name)) return PassOn(*option, attached);
        error_ = "unknown option " + name + " (see --help)";
        return false;
    }

    bool Apply(const CommandOption& option, const std::string& name,
               const std::optional<std::string>& attached) {
        if (option.value == OptionValue::None || option.value == OptionValue::EndOfOptions) {
            if (attached) {
                error_ = name + " takes no value";
                return false;
            }
            if (option.value == OptionValue::EndOfOptions) optionsEnded_ = true;
            return option.value == OptionValue::EndOfOptions ||
                   option.set(line_, name, std::string(), error_);
        }
        const std::optional<std::string> value = Value(name, attached);
        return value && option.set(line_, name, *value, error_);
    }

    bool PassOn(const ToolkitOption& option, const std::optional<std::string>& attached) {
        line_.toolkitArgs.push_back(option.name);
        if (!option.takesValue) {
            if (attached) error_ = std::string(option.name) + " takes no value";
            return !attached;
        }
        const std::optional<std::string> value = Value(option.name, attached);
        if (value) line_.toolkitArgs.push_back(*value);
        return value.has_value();
    }

    // The option's value, after '=' or as the next word; an empty one is a mistake, as it would
    // otherwise quietly mean the default (the real profile, say).
    std::optional<std::string> Value(const std::string& name,
                                     const std::optional<std::string>& attached) {
        std::optional<std::string> value = attached;
        if (!value && at_ + 1 < args_.size()) value = args_[++at_];
        if (!value) {
            error_ = name + " needs a value (see --help)";
        } else if (value->empty()) {
            error_ = name + " needs a value, not an empty one (see --help)";
            value.reset();
        }
        return value;
    }

    const std::vector<std::string>& args_;
    CommandLine& line_;
    std::string& error_;
    std::vector<std::string> words_;
    size_t at_ = 0;
    bool optionsEnded_ = false;
};

bool AsksForInformation(RunMode mode) {
    return mode == RunMode::Help || mode == RunMode::Version;
}

// The words without dashes are the original program's command line, which only ever acts on a
// "Settings,..." line: anything else is a mistyped option or a stray word.
bool CheckWords(const CommandLine& line, std::string& error) {
    if (line.settingsLine.empty()) return true;
    const std::string first = line.settingsLine.substr(0, line.settingsLine.find(','));
    if (EqualsIgnoringCase(first, "Settings")) return true;
    const std::string word = line.settingsLine.substr(0, line.settingsLine.find(' '));
    error = "unexpected '" + word + "': options start with --, and the only other words are a " +
            "Settings,... line (see --help)";
    return false;
}

// The toolkit's options shape the window: without one they would silently do nothing.
bool CheckToolkitArgs(const CommandLine& line, std::string& error) {
    if (line.toolkitArgs.empty() || (line.mode == RunMode::Play && !line.noGui)) return true;
    error = line.toolkitArgs.front() + " is an option of the window, which " +
            (line.noGui ? "--no-gui leaves out" : "this run does not open");
    return false;
}

bool CheckRenderOptions(const CommandLine& line, std::string& error) {
    const bool render = line.mode == RunMode::Render;
    if (render && !line.durationSeconds) {
        error = "--render needs --duration SECONDS";
    } else if (!render && line.durationSeconds) {
        error = "--duration only goes with --render FILE";
    } else if (!render && line.fadeSeconds) {
        error = "--fade only goes with --render FILE (--sleep fades live play)";
    } else if (line.loudnessLufs && (!render || !IsAudioRenderPath(*line.renderFile))) {
        error = "--loudness only goes with --render to an audio file";
    } else if (line.loudnessLufs && line.gainDb) {
        error = "--loudness sets the level itself: leave out --gain";
    } else {
        return true;
    }
    return false;
}

bool CheckCombination(const CommandLine& line, std::string& error) {
    if (AsksForInformation(line.mode)) return true;
    return CheckWords(line, error) && CheckToolkitArgs(line, error) &&
           CheckRenderOptions(line, error);
}

// Writable without creating it now: an existing regular file we may write, or a new name in a
// folder we may write.
// `streams`: a pipe or a character device (a terminal, /dev/stdout into a pipe) will do, for
// output that is appended line by line rather than replaced whole.
bool IsWritableTarget(const std::string& path, bool streams = false) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(target, ec)) {
        const bool stream =
            streams && (fs::is_fifo(target, ec) || fs::is_character_file(target, ec));
        return (stream || fs::is_regular_file(target, ec)) && access(path.c_str(), W_OK) == 0;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return fs::is_directory(folder, ec) && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool CheckAudioDriver(const std::string& driver, const CommandLine::NameList& known,
                      std::string& error) {
    if (IsFileAudioDriver(driver)) {
        error = "the audio driver '" + driver +
                "' writes a file instead of playing: --render FILE writes audio files";
        return false;
    }
    const std::vector<std::string> drivers = known();
    if (std::ranges::find(drivers, driver) != drivers.end()) return true;
    error = "unknown audio driver '" + driver + "' (see --list-audio-drivers)";
    return false;
}

}  // namespace

std::optional<CommandLine> CommandLine::Parse(const std::vector<std::string>& args,
                                              std::string& error) {
    CommandLine line;
    if (!ArgumentReader(args, line, error).ReadAll() || !CheckCombination(line, error))
        return std::nullopt;
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

bool CommandLine::CheckEnvironment(const OutputList& knownOutputs,
                                   const NameList& knownAudioDrivers, std::string& error) const {
    // Checked in every mode: a file that is no soundfont would otherwise play silence forever.
    if (soundfont && FluidSynthEngine::findSoundfont(*soundfont, &error).empty()) return false;
    if (midiLog && !IsWritableTarget(*midiLog, true)) {
        error = "cannot write the MIDI log " + *midiLog;
        return false;
    }
    if (mode == RunMode::Render && !IsRenderPath(*renderFile)) {
        error =
            "cannot render to " + *renderFile + ": give a file ending in " + RenderEndingsText();
        return false;
    }
    if (mode == RunMode::Render && !IsWritableTarget(*renderFile)) {
        error = "cannot write the render file " + *renderFile;
        return false;
    }
    // Checked in every mode: the choice is remembered, and a wrong one would fail every later run.
    if (output && FindOutput(knownOutputs(), *output) < 0) {
        error = "unknown output '" + *output + "' (see --list-outputs)";
        return false;
    }
    return !audioDriver || CheckAudioDriver(*audioDriver, knownAudioDrivers, error);
}

}  // namespace tinsori
