#include "app/Program.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HeadlessPlayer.h"
#include "app/ProfileCommands.h"
#include "app/Renderer.h"
#include "app/WindowProgram.h"
#include "midi/backends/OutputFactory.h"
#include "store/ProfileStore.h"

namespace tinsori {

namespace {

constexpr uint32_t kOutputNameBytes = 510;

// `--output` is remembered; without it the remembered output plays.
OutputChoice ChooseOutput(const CommandLine& line, ProfileStore& store) {
    OutputChoice choice;
    if (line.output) {
        choice.output = *line.output;
        store.WriteString("Midi", "Output", &choice.output);
    } else {
        store.ReadString("Midi", "Output", choice.output, kOutputNameBytes);
    }
    choice.soundfont = line.soundfont;
    choice.audioDriver = line.audioDriver;
    return choice;
}

int Play(const CommandLine& line) {
    const bool window = !line.noGui && WindowAvailable();
    if (!line.noGui && !window) {
        std::cerr << "tinsori: no display found; playing headless (as --no-gui)\n";
    }
    std::ostringstream notice;
    auto store = OpenProfile(line, notice);
    std::cerr << notice.str();
    if (!store) return kExitFailure;
    const OutputChoice output = ChooseOutput(line, *store);
    if (window) return RunWindow(line, *store, output, notice.str(), std::cerr);
    return RunHeadless(line, *store, output, std::cerr);
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
    switch (line->mode) {
        case RunMode::Version:
            std::cout << "tinsori " << TINSORI_VERSION << "\n";
            return kExitOk;
        case RunMode::Help:
            std::cout << CommandLine::HelpText();
            return kExitOk;
        case RunMode::ListOutputs:
            for (const std::string& name : ListOutputs()) std::cout << name << "\n";
            return kExitOk;
        default:
            break;
    }
    // Everything the user could have got wrong is checked before the profile is touched.
    if (!line->CheckEnvironment(ListOutputs, error)) {
        std::cerr << "tinsori: " << error << "\n";
        return kExitUsage;
    }
    switch (line->mode) {
        case RunMode::Render:
            return RunRender(*line, std::cerr);
        case RunMode::ExportProfile:
            return ExportProfileTo(*line, std::cout, std::cerr);
        case RunMode::ImportProfile:
            return ImportProfileFrom(*line, std::cerr);
        default:
            return Play(*line);
    }
}

}  // namespace tinsori
