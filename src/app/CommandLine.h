#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tinsori {

// What one run of the program does.
enum class RunMode {
    Play,              // the window, or headless with --no-gui
    Render,            // --render FILE --duration SECONDS
    Version,           // --version
    Help,              // --help
    ListOutputs,       // --list-outputs
    ListAudioDrivers,  // --list-audio-drivers
    ListFavorites,     // --list-favorites
    ExportProfile,     // --export-profile FILE|-
    ImportProfile,     // --import-profile FILE
};

// The program's arguments, parsed. Words not starting with "-" (and every word after "--") form
// the original program's command line, joined with single spaces; it must be a "Settings,..."
// line.
struct CommandLine {
    RunMode mode = RunMode::Play;
    bool noGui = false;
    bool minimized = false;   // start hidden; without a window there is nothing to hide
    bool liveView = false;    // --view: open the live view at start (with a window only)
    std::string profilePath;  // empty: the default profile
    std::optional<std::string> output;
    std::string soundfont;
    std::string audioDriver;
    std::optional<double> gainDb;        // --gain: decibels against the synthesizer's default level
    std::optional<double> loudnessLufs;  // --loudness: an audio render's integrated loudness
    std::optional<std::string> favorite;
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
    // output and the audio driver ones that exist. Runs before the profile is touched. The two
    // lists are asked for only when an output or a driver was given.
    using NameList = std::function<std::vector<std::string>()>;
    bool CheckEnvironment(const NameList& knownOutputs, const NameList& knownAudioDrivers,
                          std::string& error) const;

    // The help, naming the profile and the soundfont this run would use.
    static std::string HelpText(const std::string& profilePath, const std::string& soundfont);
};

// Longest render accepted: the tick count is 32-bit and the shut-down needs a few seconds more.
inline constexpr double kMaxRenderSeconds = 4000000.0;
// `--gain` range in decibels: the synthesizer takes at most 3.5x its default level, which is
// already loud (the built-in favorites' median at -23 LUFS).
inline constexpr double kMinGainDb = -60.0;
inline constexpr double kMaxGainDb = 10.0;
// `--loudness` range: from far under any programme level to louder than any streaming service.
inline constexpr double kMinLoudnessLufs = -60.0;
inline constexpr double kMaxLoudnessLufs = -5.0;
// Longest sleep timer: a day.
inline constexpr double kMaxSleepMinutes = 1440.0;

}  // namespace tinsori
