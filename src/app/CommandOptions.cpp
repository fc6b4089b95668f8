#include <algorithm>
#include <array>

#include "app/CommandLine.h"
#include "app/CommandOption.h"
#include "app/NumberRule.h"
#include "midi/backends/OutputFactory.h"

namespace tinsori {

namespace {

// Longest render accepted: the tick count is 32-bit and the shut-down needs a few seconds more.
constexpr double kMaxRenderSeconds = 4000000.0;

// `--gain`: the synthesizer takes at most 3.5x its default level, which is already loud (the
// built-in favorites' median at -23 LUFS).
constexpr NumberRule kGain{"gain", "decibels", -60.0, 10.0, "6 or -3.5"};
constexpr NumberRule kDuration{"duration", "seconds", 0.0, kMaxRenderSeconds, "30 or 2.5"};
// `--loudness`: from far under any programme level to louder than any streaming service.
constexpr NumberRule kLoudness{"loudness", "LUFS", -60.0, -5.0, "-16 or -23"};
constexpr NumberRule kFade{"fade", "seconds", 0.0, kMaxRenderSeconds, "30"};
// Up to a day, in fractions of a minute too: a short timer is handy to try it out.
constexpr NumberRule kSleep{"sleep time", "minutes", 0.0, 1440.0, "30", false, true};
constexpr NumberRule kSeed{"seed", "", 0.0, 4294967295.0, "7", true};

bool AsksForInformation(RunMode mode) {
    return mode == RunMode::Help || mode == RunMode::Version;
}

bool SetMode(CommandLine& line, RunMode mode, std::string_view option, std::string& error) {
    // As usual, --help and --version take over the run, and the first of them wins.
    if (AsksForInformation(line.mode)) return true;
    if (AsksForInformation(mode)) {
        line.mode = mode;
        return true;
    }
    if (line.mode != RunMode::Play && line.mode != mode) {
        error = std::string(option) + " cannot be combined with the other action given";
        return false;
    }
    line.mode = mode;
    return true;
}

template <auto Field>
bool Flag(CommandLine& line, std::string_view, const std::string&, std::string&) {
    line.*Field = true;
    return true;
}

template <RunMode Mode>
bool Action(CommandLine& line, std::string_view option, const std::string&, std::string& error) {
    return SetMode(line, Mode, option, error);
}

template <auto Field>
bool Keep(CommandLine& line, std::string_view, const std::string& value, std::string&) {
    line.*Field = value;
    return true;
}

// A text option that is also the run's action: the file it acts on.
template <auto Field, RunMode Mode>
bool KeepFor(CommandLine& line, std::string_view option, const std::string& value,
             std::string& error) {
    line.*Field = value;
    return SetMode(line, Mode, option, error);
}

template <const NumberRule& Rule, auto Field>
bool Number(CommandLine& line, std::string_view, const std::string& value, std::string& error) {
    const std::optional<double> number = Rule.Read(value, error);
    if (!number) return false;
    using Kept = typename std::remove_reference_t<decltype(line.*Field)>::value_type;
    line.*Field = static_cast<Kept>(*number);
    return true;
}

// The render file kinds, the audio endings wrapped to fit the help's column.
std::string RenderKindsHelp() {
    std::string text;
    for (const RenderFileKind& kind : RenderFileKinds()) {
        std::string endings;
        for (const std::string& ending : kind.endings) {
            const size_t lineStart = endings.rfind('\n') + 1;
            if (!endings.empty()) endings += endings.size() - lineStart > 40 ? "\n" : " ";
            endings += "." + ending;
        }
        text += std::string("\n") + kind.what + ": " + endings;
    }
    return text;
}

constexpr std::array kOptions = {
    CommandOption{"--no-gui", nullptr, OptionValue::None, nullptr,
                  "play without a window until Ctrl+C (SIGINT) or SIGTERM",
                  Flag<&CommandLine::noGui>},
    CommandOption{"--minimized", nullptr, OptionValue::None, nullptr,
                  "start hidden, as a program started minimized", Flag<&CommandLine::minimized>},
    CommandOption{"--view", nullptr, OptionValue::None, nullptr,
                  "open the live view of the chimes at start", Flag<&CommandLine::liveView>},
    CommandOption{"--favorite", nullptr, OptionValue::Text, "NAME",
                  "play the stored favorite NAME (any case)", Keep<&CommandLine::favorite>},
    CommandOption{"--list-favorites", nullptr, OptionValue::None, nullptr,
                  "list the stored favorites", Action<RunMode::ListFavorites>},
    CommandOption{"--output", nullptr, OptionValue::Text, "NAME",
                  "fluidsynth (default), chimes (modelled tubes), none, or\n"
                  "an ALSA sequencer port (its whole name or client:port);\n"
                  "remembered; renders to audio play through chimes when\n"
                  "chosen, else through fluidsynth",
                  Keep<&CommandLine::output>},
    CommandOption{"--list-outputs", nullptr, OptionValue::None, nullptr,
                  "list the outputs --output accepts", Action<RunMode::ListOutputs>},
    CommandOption{"--soundfont", nullptr, OptionValue::Text, "FILE",
                  "General MIDI soundfont of the embedded synthesizer",
                  Keep<&CommandLine::soundfont>},
    CommandOption{"--audio-driver", nullptr, OptionValue::Text, "NAME",
                  "FluidSynth audio driver (see --list-audio-drivers)",
                  Keep<&CommandLine::audioDriver>},
    CommandOption{"--list-audio-drivers", nullptr, OptionValue::None, nullptr,
                  "list the audio drivers, in the order they are tried",
                  Action<RunMode::ListAudioDrivers>},
    CommandOption{"--gain", nullptr, OptionValue::Number, "DB",
                  "synthesizer level in decibels, -60 to 10 (default 0:\n"
                  "the built-in favorites' median at -23 LUFS); a\n"
                  "limiter keeps live play and renders under -1 dBTP",
                  Number<kGain, &CommandLine::gainDb>},
    CommandOption{"--render", nullptr, OptionValue::Text, "FILE",
                  "render to FILE faster than real time; an audio render\n"
                  "prints its integrated loudness, true peak and peak\n"
                  "(-24 LUFS, -4.8 dBTP at the defaults); by its ending,",
                  KeepFor<&CommandLine::renderFile, RunMode::Render>, RenderKindsHelp},
    CommandOption{"--duration", nullptr, OptionValue::Number, "SECONDS",
                  "length of the render; then the closing chime run and a\n"
                  "1 s wait follow, as when the window closes, and audio\n"
                  "rings out 3 s more: about 4.5 s beyond SECONDS",
                  Number<kDuration, &CommandLine::durationSeconds>},
    CommandOption{"--seed", nullptr, OptionValue::Number, "N",
                  "random seed of the render or the live play (printed\n"
                  "when not given), to hear the same piece again",
                  Number<kSeed, &CommandLine::seed>},
    CommandOption{"--loudness", nullptr, OptionValue::Number, "LUFS",
                  "normalize an audio render to this integrated loudness,\n"
                  "-60 to -5 (-16 streaming, -23 broadcast), under the\n"
                  "limiter; needs free space beside FILE for the audio\n"
                  "as floats (1.3 GB an hour) until it is done",
                  Number<kLoudness, &CommandLine::loudnessLufs>},
    CommandOption{"--fade", nullptr, OptionValue::Number, "SECONDS",
                  "fade the last SECONDS of the render out to silence",
                  Number<kFade, &CommandLine::fadeSeconds>},
    CommandOption{"--sleep", nullptr, OptionValue::Number, "MINUTES",
                  "sleep timer: fade out over the last minute, then stop\n"
                  "(the window pauses instead)",
                  Number<kSleep, &CommandLine::sleepMinutes>},
    CommandOption{"--midi-log", nullptr, OptionValue::Text, "FILE",
                  "append one line per MIDI message sent", Keep<&CommandLine::midiLog>},
    CommandOption{"--profile", nullptr, OptionValue::Text, "FILE",
                  "the profile (settings) file; also TINSORI_PROFILE",
                  Keep<&CommandLine::profilePath>},
    CommandOption{"--export-profile", nullptr, OptionValue::Text, "FILE|-",
                  "write the profile as registry text",
                  KeepFor<&CommandLine::profileFile, RunMode::ExportProfile>},
    CommandOption{"--import-profile", nullptr, OptionValue::Text, "FILE",
                  "read a profile exported as registry text",
                  KeepFor<&CommandLine::profileFile, RunMode::ImportProfile>},
    CommandOption{"--version", "-V", OptionValue::None, nullptr, "print the version",
                  Action<RunMode::Version>},
    CommandOption{"--help", "-h", OptionValue::None, nullptr, "print this help",
                  Action<RunMode::Help>},
    CommandOption{"--", nullptr, OptionValue::EndOfOptions, nullptr, "end of the options", nullptr},
};

}  // namespace

std::span<const CommandOption> CommandOptions() {
    return kOptions;
}

const CommandOption* FindCommandOption(std::string_view name) {
    const auto option = std::ranges::find_if(kOptions, [name](const CommandOption& o) {
        return name == o.name || (o.shortName && name == o.shortName);
    });
    return option == kOptions.end() ? nullptr : &*option;
}

}  // namespace tinsori
