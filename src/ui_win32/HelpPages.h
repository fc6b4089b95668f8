#pragma once

#include <windows.h>

#include <string>

namespace tinsori {

// The help pages, shipped in the program as resources, written to a folder of the user's temp
// folder and opened in the default browser, the same pages the Linux window shows.
class HelpPages {
public:
    // Opens `page` ("chime.html"); false when it could not be written or no browser took it.
    static bool Open(HWND owner, const std::string& page);
    // Writes every page (they link to each other) and returns the folder, empty on failure.
    static std::wstring WriteAll();
};

}  // namespace tinsori
