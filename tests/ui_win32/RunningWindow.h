#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tinsori {

// tinsori.exe started with its window, on a private registry profile, with its MIDI messages
// written to a log: found by its title, driven by messages, as a user's clicks would.
class RunningWindow {
public:
    static constexpr wchar_t kProfile[] = L"TinsoriTests\\Window";

    // Empties the profile (the test may then write to it) and picks a log file.
    RunningWindow();
    ~RunningWindow();

    // Starts the program (output none) and waits for its window; false when none opened.
    bool Start();
    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    std::wstring Text(int id) const;
    LRESULT Command(int id, int code = BN_CLICKED);
    // Waits for the program to end by itself; false when it is still running after a while.
    bool WaitForExit();
    // The message log's lines: time, status, data 1, data 2.
    struct Message {
        long time;
        int status, data1, data2;
    };
    std::vector<Message> Log() const;

    // The profile's values.
    static void WriteValue(const wchar_t* section, const wchar_t* name, const std::wstring& text);
    static void WriteNumber(const wchar_t* section, const wchar_t* name, DWORD value);
    static DWORD ReadNumber(const wchar_t* section, const wchar_t* name);

private:
    std::wstring log_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace tinsori
