#pragma once

#include <ostream>

#include "app/CommandLine.h"
#include "midi/backends/OutputFactory.h"

namespace tinsori {

class ProfileStore;

// `--no-gui`: plays on the live clock without a window until SIGINT or SIGTERM, which stand for
// closing the window (the closing chime run included); SIGHUP runs the session-end shut-down.
// Drives the 200 ms wind timer on the calling thread and keeps one status line on a terminal.
// Returns the exit status.
int RunHeadless(const CommandLine& line, ProfileStore& store, const OutputChoice& output,
                std::ostream& err);

}  // namespace tinsori
