#pragma once

#include "player/WindowStart.h"

namespace tinsori {

// The application object on Windows: makes the main window, runs the message loop until the
// window is destroyed, then ends the program.
class MainWindowApp {
public:
    static int Run(const WindowStart& start);
};

}  // namespace tinsori
