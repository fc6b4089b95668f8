#pragma once

#include <ostream>

#include "player/WindowStart.h"

namespace tinsori {

// Whether a window can open here.
bool WindowAvailable();

// Runs the system's own window until it is closed; returns the exit status.
int RunWindowFrontEnd(const WindowStart& start, std::ostream& err);

}  // namespace tinsori
