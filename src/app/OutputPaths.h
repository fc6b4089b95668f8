#pragma once

#include <string>

#include "app/CommandLine.h"

namespace tinsori {

// False, with one line in `error`, when a file the run would write (--render, --midi-log, the
// --export-profile file) is the profile itself or one of its companion files, or when --render
// and --midi-log name one file: either would be overwritten by the other.
bool CheckOutputsApart(const CommandLine& line, std::string& error);

}  // namespace tinsori
