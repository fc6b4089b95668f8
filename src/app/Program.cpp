#include "app/Program.h"

#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace tinsori {

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
        default:
            break;
    }
    return kExitOk;
}

}  // namespace tinsori
