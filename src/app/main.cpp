#include <csignal>

#include "app/Program.h"

int main(int argc, char** argv) {
    // A reader that leaves early (`| head`) makes writes fail, which is reported with status 1,
    // instead of killing the program halfway through.
    std::signal(SIGPIPE, SIG_IGN);
    return tinsori::RunProgram(argc, argv);
}
