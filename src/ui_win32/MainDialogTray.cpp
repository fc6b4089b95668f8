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
    if ((command & 0xFFF0) == SC_MINIMIZE && tray_->added()) {
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

// The tray's choices of output and sleep, and Pause: the rest of the tray menu is on the window
// already.
void MainDialog::ShowWindowMenu(POINT at) {
    std::vector<MenuEntry> entries;
    for (MenuEntry& entry : player_->TrayMenu()) {
        if (!entry.submenu.empty() || entry.id == kPauseCommand)
            entries.push_back(std::move(entry));
    }
    const PopupMenu menu(entries);
    TrackPopupMenu(menu.handle(), TPM_LEFTALIGN, at.x, at.y, 0, window_, nullptr);
}

void MainDialog::ShowNormally() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetSlider(PlayerSlider::Wind, player_->settings().windNow);
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
        // Without a tray icon a hidden window could not be found again: it stays minimized.
        if (hideAtStart_.OnTick() && tray_->added()) ShowWindow(window_, SW_HIDE);
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

// The line shows the fullest text that fits; the tray's tip the fullest.
void MainDialog::ShowStatus() {
    if (!player_->started() || destroyed_) return;
    const std::vector<std::string> texts = player_->StatusTexts();
    if (texts.empty() || texts.front() == shownStatus_) return;
    shownStatus_ = texts.front();
    tray_->ShowStatus(shownStatus_);
    HWND line = item(kIdStatusLine);
    RECT room{};
    GetClientRect(line, &room);
    HDC dc = GetDC(line);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
    std::wstring shown = Widen(texts.back());
    for (const std::string& text : texts) {
        const std::wstring wide = Widen(text);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        if (size.cx <= room.right) {
            shown = wide;
            break;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(line, dc);
    SetWindowTextW(line, shown.c_str());
}

}  // namespace tinsori
