#include "app/WindowFrontEnd.h"

#include "ui_win32/MainWindowApp.h"

namespace tinsori {

// Windows always has a desktop to show the window on.
bool WindowAvailable() {
    return true;
}

int RunWindowFrontEnd(const WindowStart& start, std::ostream&) {
    return MainWindowApp::Run(start);
}

}  // namespace tinsori
