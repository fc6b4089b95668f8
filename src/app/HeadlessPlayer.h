#pragma once

#include <ostream>
#include <string>

#include "app/CommandLine.h"
#include "midi/backends/OutputFactory.h"

namespace tinsori {

class ProfileStore;
class StopSignalDescriptor;

// `--no-gui`: plays on the live clock without a window until SIGINT or SIGTERM, which stand for
// closing the window (the closing chime run included); SIGHUP runs the session-end shut-down.
// Drives the 200 ms wind timer on the calling thread and keeps one status line on a terminal.
// Ends with one line saying where the settings were saved (`savedIn`; empty when the profile
// cannot be written) or why not. Returns the exit status: 1 when the settings or the message log
// could not be written.
int RunHeadless(const CommandLine& line, ProfileStore& store, const OutputChoice& output,
                const std::string& savedIn, StopSignalDescriptor& signals, std::ostream& err);

}  // namespace tinsori
