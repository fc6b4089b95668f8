#pragma once

#include <ostream>

#include "app/CommandLine.h"

namespace tinsori {

// `--render FILE --duration SECONDS [--seed N]`: plays the program on the virtual timeline,
// faster than real time, into an audio file, a Standard MIDI File or a message log. It runs on a
// private in-memory copy of the profile, so the profile file is never written or created.
// Returns the exit status; says what went wrong on `err`.
int RunRender(const CommandLine& line, std::ostream& err);

}  // namespace tinsori
