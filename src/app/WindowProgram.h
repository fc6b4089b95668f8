#pragma once

#include <ostream>
#include <string>

#include "app/CommandLine.h"
#include "app/WindowFrontEnd.h"
#include "midi/backends/OutputFactory.h"

namespace tinsori {

class ProfileStore;
class StopSignalDescriptor;

// Plays with the main window until it is closed; returns the exit status. `profileNotice` is
// what opening the profile had to say (a damaged file moved aside, a read-only profile), shown
// once in the window. SIGINT closes the window, SIGTERM and SIGHUP end the session.
int RunWindow(const CommandLine& line, ProfileStore& store, const OutputChoice& output,
              const std::string& profileNotice, StopSignalDescriptor& stopSignals,
              std::ostream& err);

}  // namespace tinsori
