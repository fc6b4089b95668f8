#include <csignal>
#include <cstdlib>

#include "app/Program.h"

int main(int argc, char** argv) {
    // A reader that leaves early (`| head`) makes writes fail, which is reported with status 1,
    // instead of killing the program halfway through.
    std::signal(SIGPIPE, SIG_IGN);
    // Trying JACK must never launch a JACK server behind the user's back. Set here, before any
    // thread runs: the environment is not safe to change once others may read it.
    ::setenv("JACK_NO_START_SERVER", "1", 0);
    return tinsori::RunProgram(argc, argv);
}
