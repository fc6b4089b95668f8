#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tinsori {

// What one run of the program does.
enum class RunMode {
    Play,           // the window, or headless with --no-gui
    Render,         // --render FILE --duration SECONDS
    Version,        // --version
    Help,           // --help
    ListOutputs,    // --list-outputs
    ExportProfile,  // --export-profile FILE|-
    ImportProfile,  // --import-profile FILE
};

// The program's arguments, parsed. Words not starting with "--" form the original program's
// command line (a "Settings,..." line), joined with single spaces.
struct CommandLine {
    RunMode mode = RunMode::Play;
    bool noGui = false;
    bool minimized = false;   // start hidden; without a window there is nothing to hide
    std::string profilePath;  // empty: the default profile
    std::optional<std::string> output;
    std::string soundfont;
    std::string audioDriver;
    std::string midiLog;
    std::string renderFile;
    std::optional<double> durationSeconds;
    std::optional<uint32_t> seed;
    std::optional<double> sleepMinutes;  // --sleep: the sleep timer, in every mode
    std::optional<double> fadeSeconds;   // --fade: the fade-out at the end of a render
    std::string profileFile;             // the file of --export-profile or --import-profile
    std::string settingsLine;

    // Parses the arguments after the program name. A mistake the user made gives none and one
    // line in `error`.
    static std::optional<CommandLine> Parse(const std::vector<std::string>& args,
                                            std::string& error);

    // The render length in virtual milliseconds: round(D x 1000).
    uint32_t durationTicks() const;
    // The sleep timer's and the render fade's lengths in milliseconds (0 when not given).
    uint32_t sleepTicks() const;
    uint32_t fadeTicks() const;

    // Checks what parsing cannot: the soundfont is readable, the render file and log writable, the
    // output one that exists. Runs before the profile is touched. `knownOutputs` lists the names
    // `--output` accepts; it is called only when an output was given.
    bool CheckEnvironment(const std::function<std::vector<std::string>()>& knownOutputs,
                          std::string& error) const;

    static std::string HelpText();
};

// Longest render accepted: the tick count is 32-bit and the shut-down needs a few seconds more.
inline constexpr double kMaxRenderSeconds = 4000000.0;
// Longest sleep timer: a day.
inline constexpr double kMaxSleepMinutes = 1440.0;

}  // namespace tinsori
