#include "app/Program.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HeadlessPlayer.h"
#include "app/InformationCommands.h"
#include "app/ProfileCommands.h"
#include "app/Renderer.h"
#include "app/StartChecks.h"
#include "app/WindowProgram.h"
#include "midi/backends/OutputFactory.h"
#include "platform/StopSignalDescriptor.h"
#include "store/ProfileStore.h"

namespace tinsori {

namespace {

constexpr uint32_t kOutputNameBytes = 510;

// `--output` is remembered; without it the remembered output plays.
OutputChoice ChooseOutput(const CommandLine& line, ProfileStore& store) {
    OutputChoice choice;
    if (line.output) {
        choice.output = *line.output;
        if (!store.WriteString("Midi", "Output", &choice.output))
            std::cerr << "tinsori: the output chosen could not be remembered: the profile file "
                         "cannot be written\n";
    } else {
        store.ReadString("Midi", "Output", choice.output, kOutputNameBytes);
    }
    choice.soundfont = line.soundfont.value_or("");
    choice.audioDriver = line.audioDriver.value_or("");
    choice.gainDb = line.gainDb.value_or(0.0);
    return choice;
}

int Play(const CommandLine& line) {
    const bool window = !line.noGui && WindowAvailable();
    if (!line.noGui && !window) {
        std::cerr << "tinsori: no display found; playing headless (as --no-gui)"
                  << (line.toolkitArgs.empty() ? "" : ", without Qt's options") << "\n";
    }
    // Before the profile opens and before any thread exists (threads inherit the blocked
    // signals), and gone only after the profile is closed: a stop signal, even a second one
    // during the shut-down, then never ends the program with the database still open.
    StopSignalDescriptor signals;
    std::ostringstream notice;
    bool readOnly = false;
    auto store = OpenProfileToPlay(line, notice, readOnly);
    std::cerr << notice.str();
    if (!store) return kExitFailure;
    const OutputChoice output = ChooseOutput(line, *store);
    if (window) return RunWindow(line, *store, output, notice.str(), signals, std::cerr);
    const std::string savedIn = readOnly ? std::string() : ProfilePath(line);
    return RunHeadless(line, *store, output, savedIn, signals, std::cerr);
}

int Run(const CommandLine& line) {
    const int printed = PrintInformation(line, std::cout);
    if (printed >= 0) return printed;
    std::string error;
    if (!CheckBeforeStart(line, error)) {
        std::cerr << "tinsori: " << error << "\n";
        return kExitUsage;
    }
    switch (line.mode) {
        case RunMode::Render:
            return RunRender(line, std::cerr);
        case RunMode::ExportProfile:
            return ExportProfileTo(line, std::cout, std::cerr);
        case RunMode::ImportProfile:
            return ImportProfileFrom(line, std::cerr);
        case RunMode::ListFavorites:
            return ListFavorites(line, std::cout, std::cerr);
        default:
            return Play(line);
    }
}

}  // namespace

int RunProgram(int argc, char** argv) {
    std::string error;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = CommandLine::Parse(args, error);
    if (!line) {
        std::cerr << "tinsori: " << error << "\n";
        return kExitUsage;
    }
    const int status = Run(*line);
    // Output that never arrived (a full disk, a closed pipe) is a failure, not a success.
    if (!std::cout.flush() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "tinsori: cannot write to standard output\n";
        return status == kExitOk ? kExitFailure : status;
    }
    return status;
}

}  // namespace tinsori
