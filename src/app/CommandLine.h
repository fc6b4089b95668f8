#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "midi/ports/OutputNames.h"

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
// line. A value given is never empty; an option not given stays none.
struct CommandLine {
    RunMode mode = RunMode::Play;
    bool noGui = false;
    bool minimized = false;  // start hidden; without a window there is nothing to hide
    bool liveView = false;   // --view: open the live view at start (with a window only)
    std::optional<std::string> profilePath;  // none: the default profile
    std::optional<std::string> output;
    std::optional<std::string> soundfont;    // none: the default search
    std::optional<std::string> audioDriver;  // none: the first of the order that opens
    std::optional<double> gainDb;        // --gain: decibels against the synthesizer's default level
    std::optional<double> loudnessLufs;  // --loudness: an audio render's integrated loudness
    std::optional<std::string> favorite;
    std::optional<std::string> midiLog;
    std::optional<std::string> renderFile;
    std::optional<double> durationSeconds;
    std::optional<uint32_t> seed;
    std::optional<double> sleepMinutes;      // --sleep: the sleep timer, in every mode
    std::optional<double> fadeSeconds;       // --fade: the fade-out at the end of a render
    std::optional<std::string> profileFile;  // the file of --export-profile or --import-profile
    std::string settingsLine;
    // The toolkit's own options ("-style", "fusion"), for the window, in the order given.
    std::vector<std::string> toolkitArgs;

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
    using OutputList = std::function<std::vector<OutputListing>()>;
    using NameList = std::function<std::vector<std::string>()>;
    bool CheckEnvironment(const OutputList& knownOutputs, const NameList& knownAudioDrivers,
                          std::string& error) const;

    // The help, naming the profile and the soundfont this run would use.
    static std::string HelpText(const std::string& profilePath, const std::string& soundfont);
};

}  // namespace tinsori
