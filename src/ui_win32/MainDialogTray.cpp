#include <windows.h>

#include <shellapi.h>

#include "platform/StopSignalDescriptor.h"
#include "platform/win32/WideText.h"
#include "player/ControlIds.h"
#include "ui_win32/MainDialog.h"
#include "ui_win32/PopupMenu.h"

// The main window's life beside the desktop: the tray icon and its menu, hiding instead of
// minimizing, Pause and its blinking button, the start of a program started minimized, the
// timers and the status line.

namespace tinsori {

namespace {

// Where the tray menu opens: by the taskbar's far corner, or by the pointer without a taskbar.
POINT MenuAnchor() {
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    POINT at{};
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) {
        at = {bar.rc.right - 25, bar.rc.bottom - 2};
    } else {
        GetCursorPos(&at);
    }
    return at;
}

}  // namespace

INT_PTR MainDialog::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == kAboutSystemCommand) {
        ShowAbout();
        return TRUE;
    }
    if ((command & 0xFFF0) == SC_MINIMIZE && HideAtStart::MinimizeHides(tray_->added())) {
        ShowWindow(window_, SW_HIDE);
        return TRUE;
    }
    return FALSE;
}

void MainDialog::OnTrayMessage(LPARAM mouse) {
    if (mouse == WM_LBUTTONDOWN) ShowNormally();
    if (mouse == WM_RBUTTONDOWN) ShowTrayMenu();
}

void MainDialog::ShowTrayMenu() {
    const PopupMenu menu(player_->TrayMenu());
    const POINT at = MenuAnchor();
    // Without the window in front, the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window_);
    TrackPopupMenu(menu.handle(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
    PostMessageW(window_, WM_USER, 0, 0);
}

void MainDialog::ShowWindowMenu(POINT at) {
    const PopupMenu menu(player_->WindowMenu());
    TrackPopupMenu(menu.handle(), TPM_LEFTALIGN, at.x, at.y, 0, window_, nullptr);
}

void MainDialog::ShowNormally() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void MainDialog::OnTimer(UINT_PTR id) {
    if (id == kWindTimer) {
        player_->OnWindTimer();
        ShowStatus();
        TakeStopSignal();
    } else if (id == kBlinkTimer) {
        player_->OnBlinkTimer();
        ShowPauseText();
    } else if (id == kHideAtStartTimer) {
        KillTimer(window_, kHideAtStartTimer);
        if (player_->OnStartTimer(tray_->added())) ShowWindow(window_, SW_HIDE);
    }
}

// Ctrl+C or a closing console stand for closing the window; log-off for the session's end.
void MainDialog::TakeStopSignal() {
    if (!stopSignals_) return;
    const int signal = stopSignals_->Take();
    if (signal == kSessionEndSignal) {
        ShutDownOnSessionEnd();
        DestroyWindow(window_);
    } else if (signal != 0) {
        DestroyWindow(window_);
    }
}

void MainDialog::ShowPaused(bool) {
    ShowPauseText();
    if (player_->blinkTimerRunning()) {
        SetTimer(window_, kBlinkTimer, PauseButtonText::kPeriodMs, nullptr);
    } else {
        KillTimer(window_, kBlinkTimer);
    }
    ShowStatus();
}

void MainDialog::ShowPauseText() {
    SetWindowTextW(item(kIdPause), Widen(player_->pauseButtonText()).c_str());
}

void MainDialog::RunWindTimer(bool running) {
    if (!window_) return;
    if (running) {
        SetTimer(window_, kWindTimer, Player::kWindTimerPeriodMs, nullptr);
    } else {
        KillTimer(window_, kWindTimer);
    }
}

void MainDialog::ShowStatus() {
    if (!player_->started() || destroyed_) return;
    HWND line = item(kIdStatusLine);
    RECT room{};
    GetClientRect(line, &room);
    HDC dc = GetDC(line);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
    const StatusLine& status = player_->FitStatus(room.right, [dc](const std::string& text) {
        const std::wstring wide = Widen(text);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    });
    SelectObject(dc, old);
    ReleaseDC(line, dc);
    // Called on every wind tick: most change nothing.
    const std::wstring shown = Widen(status.shown);
    if (status.full == shownStatus_ && shown == shownLine_) return;
    shownStatus_ = status.full;
    shownLine_ = shown;
    tray_->ShowStatus(status.full);
    SetWindowTextW(line, shown.c_str());
}

}  // namespace tinsori
