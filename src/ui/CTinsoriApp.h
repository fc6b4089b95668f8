#pragma once

#include "player/WindowStart.h"

namespace tinsori {

// The application object: runs the main window until it closes, then ends the program.
class CTinsoriApp {
public:
    // Creates the application (there is no window system before this), runs the main window and
    // returns the exit status.
    static int Run(const WindowStart& start);
};

}  // namespace tinsori
