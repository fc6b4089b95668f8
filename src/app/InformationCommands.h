#pragma once

#include <ostream>

#include "app/CommandLine.h"

namespace tinsori {

// --version, --help, --list-outputs and --list-audio-drivers: print to `out`, return the exit
// status. -1 when the run is not one of them.
int PrintInformation(const CommandLine& line, std::ostream& out);

// --list-favorites: the names the Favorites list would show at start-up (the built-in favorites
// included on a first run), without writing the profile.
int ListFavorites(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace tinsori
