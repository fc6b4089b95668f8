#pragma once

#include <windows.h>

#include <string>

namespace tinsori {

// The notification-area icon: its tip tells what the player is doing under the first line, and
// its mouse messages come to the window as kMessage.
class TrayIcon {
public:
    static constexpr UINT kMessage = WM_USER + 100;
    static constexpr UINT kId = 1967;

    TrayIcon(HWND window, HICON icon) : window_(window), icon_(icon) {}

    // False when the shell took no icon (no notification area): the window then minimizes.
    bool Add();
    void Remove();
    // Explorer started (again): it has no icon of ours yet, and a program that started before
    // any taskbar gets its icon now.
    void Restore();
    bool added() const { return added_; }
    void ShowStatus(const std::string& status);

private:
    bool Notify(DWORD what, UINT flags);

    HWND window_;
    HICON icon_;
    std::string status_;
    bool added_ = false;
};

}  // namespace tinsori
