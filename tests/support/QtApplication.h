#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <string>

namespace tinsori::testing_support {

// One application for the whole test program: offscreen unless the caller chose a platform,
// with a private runtime folder so that no test touches the desktop's.
inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "tests_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static std::string runtime =
            (std::filesystem::temp_directory_path() / ("tinsori-ui-" + std::to_string(getpid())))
                .string();
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace tinsori::testing_support
