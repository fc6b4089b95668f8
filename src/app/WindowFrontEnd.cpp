#include "app/WindowFrontEnd.h"

#include <cstdlib>
#include <string_view>

#include "app/Program.h"
#if TINSORI_HAS_GUI
#include "ui/CTinsoriApp.h"
#endif

namespace tinsori {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

// A display to show it on, or a Qt platform that needs none.
bool WindowAvailable() {
#if TINSORI_HAS_GUI
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool displayless = platform && std::string_view(platform) == "offscreen";
    return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || displayless;
#else
    (void)Set;
    return false;
#endif
}

int RunWindowFrontEnd(const WindowStart& start, std::ostream& err) {
#if TINSORI_HAS_GUI
    (void)err;
    return CTinsoriApp::Run(start);
#else
    (void)start;
    err << "tinsori: this build has no window" << std::endl;
    return kExitFailure;
#endif
}

}  // namespace tinsori
