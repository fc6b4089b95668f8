#include <windows.h>

#include <algorithm>
#include <array>

#include "platform/win32/WideText.h"
#include "player/ChimePictureGeometry.h"
#include "player/ConfigurationButtons.h"
#include "player/ControlIds.h"
#include "player/MainWindowControls.h"
#include "player/NumberList.h"
#include "settings/Favorites.h"
#include "ui_win32/MainDialog.h"
#include "ui_win32/WindowText.h"

// What each control of the main window does when the user works it: the player's handlers,
// reached from the controls' notifications. What the window itself shows does not come back.

namespace tinsori {

namespace {

// The scroll bar's request codes (SB_LINELEFT .. SB_ENDSCROLL), in order.
constexpr std::array<ScrollRequest, 9> kScrollRequests = {
    ScrollRequest::LineBack,    ScrollRequest::LineForward,   ScrollRequest::PageBack,
    ScrollRequest::PageForward, ScrollRequest::ThumbPosition, ScrollRequest::ThumbTrack,
    ScrollRequest::Top,         ScrollRequest::Bottom,        ScrollRequest::EndScroll,
};

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

void MainDialog::OnCommand(int id, int code, HWND control) {
    // Menus and accelerators carry no control.
    if (!control) return OnMenuCommand(id);
    if (showing_) return;
    const auto helped =
        std::find_if(std::begin(kFocusHelpControls), std::end(kFocusHelpControls),
                     [id](const FocusHelpControl& entry) { return entry.id == id; });
    if (helped != std::end(kFocusHelpControls) && (code == CBN_SETFOCUS || code == EN_SETFOCUS))
        return player_->help().FocusReceived(helped->control);
    if (code == BN_CLICKED && OnButtonClick(id)) return;
    OnListNotification(id, code);
}

bool MainDialog::OnListNotification(int id, int code) {
    const auto selected = [this, id] {
        return static_cast<int>(SendMessageW(item(id), CB_GETCURSEL, 0, 0));
    };
    if (id == kIdFavorites) {
        if (code == CBN_SELENDOK) OnFavoritesSelEndOk(player_->favorites());
        if (code == CBN_SELCHANGE) OnFavoritesSelChange(player_->favorites());
        if (code == CBN_EDITCHANGE) OnFavoritesEditChange(player_->favorites());
    } else if (id == kIdInstrument) {
        if (code == CBN_SELCHANGE) player_->OnInstrumentSelected(selected());
        if (code == CBN_DROPDOWN || code == CBN_KILLFOCUS) RenameInstrument();
    } else if (id == kIdChimeCount && code == EN_CHANGE) {
        player_->OnChimeCountText(WindowText(item(id)));
    } else if (id == kIdChimeCount && code == EN_KILLFOCUS) {
        player_->OnChimeCountEditEnded();
    } else if (code != CBN_SELCHANGE || selected() < 0) {
        return false;
    } else if (id == kIdChannel) {
        player_->OnChannelSelected(kChannelList.ValueAt(selected()));
    } else if (id == kIdBaseNote) {
        player_->OnBaseNoteSelected(
            static_cast<int>(SendMessageW(item(id), CB_GETITEMDATA, selected(), 0)));
    } else if (id == kIdScale) {
        player_->OnScaleSelected(selected());
    } else if (id == kIdTranspose) {
        player_->OnTransposeSelected(kTransposeList.ValueAt(selected()));
    }
    return true;
}

bool MainDialog::OnButtonClick(int id) {
    for (const CheckBoxControl& entry : kCheckBoxControls) {
        if (entry.id != id) continue;
        player_->OnCheckBoxClicked(entry.box, Checked(item(id)));
        return true;
    }
    if (std::any_of(std::begin(kConfigurationButtons), std::end(kConfigurationButtons),
                    [id](const ConfigurationButton& button) { return button.id == id; })) {
        player_->OnConfigurationChecked(
            CheckedConfigurations([this](int box) { return Checked(item(box)); }));
        return true;
    }
    switch (id) {
        case kIdSaveSettings:
            OnSaveSettings(player_->favorites());
            return true;
        case kIdRemove:
            OnRemoveFavorite(player_->favorites());
            return true;
        case kIdAbout:
            ShowAbout();
            return true;
        case kIdHelp:
            ShowHelpContents();
            return true;
        case kIdPause:
            OnMenuCommand(id);
            return true;
        default:
            return false;
    }
}

void MainDialog::OnMenuCommand(int id) {
    if (id == IDCANCEL) {
        DestroyWindow(window_);
        return;
    }
    if (id == kIdHelpCommand) return ShowContextHelp();
    const MenuAction action = player_->OnMenuCommand(id);
    // An output or a sleep time may have been chosen.
    ShowStatus();
    if (action == MenuAction::Exit) DestroyWindow(window_);
    if (action == MenuAction::ShowWindow) ShowNormally();
}

void MainDialog::OnScroll(HWND bar, int code, int carried) {
    const int id = GetDlgCtrlID(bar);
    if (code < 0 || code >= static_cast<int>(kScrollRequests.size())) return;
    const ScrollRequest request = kScrollRequests[static_cast<size_t>(code)];
    for (const SliderControl& entry : kSliderControls) {
        if (entry.id != id) continue;
        const int current = GetScrollPos(bar, SB_CTL);
        SetScrollPos(bar, SB_CTL, player_->OnScrollRequest(entry.slider, request, current, carried),
                     TRUE);
        return;
    }
}

RECT MainDialog::PictureRect() const {
    RECT rect{};
    GetWindowRect(item(kIdChimePicture), &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MainDialog::OnPointer(POINT at) {
    const RECT picture = PictureRect();
    if (PtInRect(&picture, at)) {
        player_->OnPointerOverPicture(at.x - picture.left, at.y - picture.top);
    } else {
        player_->OnPointerOutsidePicture();
    }
}

// The pointer handler chooses the cursor over the window's own face (the pictures let the
// pointer through); over a control, the control's own.
bool MainDialog::OnSetCursor(HWND over, int hitTest) {
    if (over != window_ || hitTest != HTCLIENT) return false;
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(window_, &at);
    const RECT picture = PictureRect();
    SetCursor(PtInRect(&picture, at) ? handCursor_ : LoadCursorW(nullptr, IDC_ARROW));
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
    return true;
}

bool MainDialog::PreTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (message.wParam == VK_APPS || (message.wParam == VK_F10 && shift)) {
        // Under the focused control.
        RECT focused{};
        GetWindowRect(GetFocus() ? GetFocus() : window_, &focused);
        ShowWindowMenu({(focused.left + focused.right) / 2, (focused.top + focused.bottom) / 2});
        return true;
    }
    const bool plain = !shift && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    return plain && message.message == WM_KEYDOWN && message.hwnd == item(kIdChimePicture) &&
           OnPictureKey(message.wParam);
}

bool MainDialog::OnPictureKey(WPARAM key) {
    const int count = player_->settings().chimeCount();
    if (key >= '0' && key <= '9') {
        player_->StrikeChimeFromKey(ChimePictureKeys::ChimeOfDigit(static_cast<int>(key - '0')));
    } else if (key == VK_LEFT) {
        pictureKeys_.MoveLeft(count);
    } else if (key == VK_RIGHT) {
        pictureKeys_.MoveRight(count);
    } else if (key == VK_SPACE) {
        player_->StrikeChimeFromKey(pictureKeys_.chosen(count));
    } else {
        return false;
    }
    // The frame follows the chosen chime.
    InvalidateRect(item(kIdChimePicture), nullptr, TRUE);
    return true;
}

void MainDialog::DrawItem(const DRAWITEMSTRUCT& drawn) {
    const ControlSpec* spec = controls_.SpecOf(drawn.hwndItem);
    if (!spec) return;
    FillRect(drawn.hDC, &drawn.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    pictures_.Draw(drawn.hDC, drawn.rcItem, spec->picture);
    if (spec->id != kIdChimePicture || GetFocus() != drawn.hwndItem) return;
    // With the focus, a dotted frame marks the tube the keyboard strikes.
    const int count = player_->settings().chimeCount();
    const ChimeColumns columns = ColumnsOf(pictureKeys_.chosen(count), count);
    RECT tube{columns.left - 1, drawn.rcItem.top, std::max(columns.left, columns.right) + 2,
              drawn.rcItem.bottom};
    DrawFocusRect(drawn.hDC, &tube);
}

void MainDialog::RenameInstrument() {
    HWND list = item(kIdInstrument);
    const int selected = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    const std::optional<int> renamed = player_->OnInstrumentRename(selected, WindowText(list));
    if (!renamed) return;
    const std::wstring name = Widen(player_->instruments().name(*renamed));
    showing_ = true;
    SendMessageW(list, CB_DELETESTRING, *renamed, 0);
    SendMessageW(list, CB_INSERTSTRING, *renamed, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(list, CB_SETCURSEL, selected, 0);
    showing_ = false;
}

}  // namespace tinsori
