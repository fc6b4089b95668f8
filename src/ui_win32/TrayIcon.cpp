#include "ui_win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/WideText.h"
#include "player/TrayMenu.h"

namespace tinsori {

bool TrayIcon::Add() {
    added_ = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    return added_;
}

void TrayIcon::Remove() {
    if (added_) Notify(NIM_DELETE, 0);
    added_ = false;
}

void TrayIcon::Restore() {
    Add();
}

void TrayIcon::ShowStatus(const std::string& status) {
    if (status == status_) return;
    status_ = status;
    if (added_) Notify(NIM_MODIFY, NIF_TIP);
}

bool TrayIcon::Notify(DWORD what, UINT flags) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kId;
    data.uFlags = flags;
    data.uCallbackMessage = kMessage;
    data.hIcon = icon_;
    const std::wstring wide = Widen(TrayTip(status_));
    // The shell cuts a longer tip itself, but the record holds no more.
    const size_t room = std::size(data.szTip) - 1;
    wide.copy(data.szTip, std::min(wide.size(), room));
    return Shell_NotifyIconW(what, &data) != FALSE;
}

}  // namespace tinsori
