#include "platform/ProcessStart.h"

#include <csignal>
#include <cstdlib>

namespace tinsori {

void PrepareProcess() {
    std::signal(SIGPIPE, SIG_IGN);
    ::setenv("JACK_NO_START_SERVER", "1", 0);
}

}  // namespace tinsori
