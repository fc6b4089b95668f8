#include <algorithm>

#include "platform/win32/WideText.h"
#include "player/ControlIds.h"
#include "player/FavoritesListOrder.h"
#include "player/MainWindowControls.h"
#include "player/NumberList.h"
#include "ui_win32/MainDialog.h"
#include "ui_win32/WindowText.h"

// What the player shows, shown with the main window's controls.

namespace tinsori {

namespace {

LRESULT AddString(HWND list, const std::string& text) {
    const std::wstring wide = Widen(text);
    return SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string ItemText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

int Count(HWND list) {
    return static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
}

// Where a bar's thumb lies along it, in its own pixels.
std::pair<LONG, LONG> ThumbOf(HWND bar) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(bar, OBJID_CLIENT, &info);
    return {info.xyThumbTop, info.xyThumbBottom};
}

// The wind moves the bar five times a second: only where its thumb was and is is drawn again,
// and nothing when the move is smaller than a pixel (a whole bar costs wine ten times as much).
void MoveThumb(HWND bar, int position) {
    const auto before = ThumbOf(bar);
    SetScrollPos(bar, SB_CTL, position, FALSE);
    const auto after = ThumbOf(bar);
    if (after == before) return;
    RECT area{};
    GetClientRect(bar, &area);
    const bool horizontal = (GetWindowLongW(bar, GWL_STYLE) & SBS_VERT) == 0;
    LONG& from = horizontal ? area.left : area.top;
    LONG& to = horizontal ? area.right : area.bottom;
    from = std::min(before.first, after.first);
    to = std::max(before.second, after.second);
    InvalidateRect(bar, &area, TRUE);
}

std::vector<std::string> Entries(HWND list) {
    std::vector<std::string> entries;
    for (int i = 0; i < Count(list); ++i) entries.push_back(ItemText(list, i));
    return entries;
}

void Fill(HWND list, const std::vector<std::string>& names, int selected) {
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) AddString(list, name);
    SendMessageW(list, CB_SETCURSEL, selected, 0);
}

// An edit control breaks lines only at CR LF.
std::wstring WithCrLf(const std::string& text) {
    std::wstring lines;
    for (wchar_t c : Widen(text)) {
        if (c == L'\r') continue;
        if (c == L'\n') lines += L'\r';
        lines += c;
    }
    return lines;
}

}  // namespace

void MainDialog::ShowBaseNotes(const BaseNoteList& list) {
    HWND notes = item(kIdBaseNote);
    SendMessageW(notes, CB_RESETCONTENT, 0, 0);
    for (const BaseNoteItem& entry : list.items) {
        const LRESULT at = AddString(notes, entry.text);
        SendMessageW(notes, CB_SETITEMDATA, at, entry.note);
    }
    SendMessageW(notes, CB_SETCURSEL, list.selected, 0);
}

void MainDialog::ShowNotesInUse(const std::string& text) {
    SetWindowTextW(item(kIdNotesInUse), WithCrLf(text).c_str());
}

void MainDialog::ShowInstruments(const std::vector<std::string>& names, int selected) {
    Fill(item(kIdInstrument), names, selected);
}

void MainDialog::ShowScales(const std::vector<std::string>& names, int selected) {
    Fill(item(kIdScale), names, selected);
}

void MainDialog::SelectTranspose(int transpose) {
    SendMessageW(item(kIdTranspose), CB_SETCURSEL, kTransposeList.IndexOf(transpose), 0);
}

void MainDialog::SelectChannel(int channel) {
    SendMessageW(item(kIdChannel), CB_SETCURSEL, kChannelList.IndexOf(channel), 0);
}

void MainDialog::ShowChimeCount(int count) {
    const std::string text = std::to_string(count);
    // Rewriting the same text would move the caret of someone typing.
    if (WindowText(item(kIdChimeCount)) == text) return;
    showing_ = true;
    SetWindowTextW(item(kIdChimeCount), Widen(text).c_str());
    showing_ = false;
}

void MainDialog::ShowConfiguration(int configuration) {
    for (auto [id, value] : kConfigurationButtons)
        CheckDlgButton(window_, id, configuration == value ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(item(kIdLengthBar), SliderEnabled(PlayerSlider::Length, configuration));
}

void MainDialog::SetSlider(PlayerSlider slider, int position) {
    HWND bar = item(ControlOf(slider));
    if (GetScrollPos(bar, SB_CTL) != position) MoveThumb(bar, position);
}

void MainDialog::SetCheckBox(PlayerCheckBox box, bool checked) {
    CheckDlgButton(window_, ControlOf(box), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool MainDialog::AskYesNo(const std::string& text, const std::string& caption) {
    // Both questions replace or delete a favorite: Enter must not.
    return MessageBoxW(window_, Widen(text).c_str(), Widen(caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void MainDialog::ShowMessage(const std::string& text, const std::string& caption) {
    MessageBoxW(window_, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

void MainDialog::AddFavorite(const std::string& displayName) {
    HWND list = item(kIdFavorites);
    const int at = FavoriteInsertPosition(Entries(list), displayName);
    SendMessageW(list, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(Widen(displayName).c_str()));
}

void MainDialog::DeleteFavorite(const std::string& displayName) {
    HWND list = item(kIdFavorites);
    for (int i = 0; i < Count(list); ++i) {
        if (ItemText(list, i) == displayName) {
            SendMessageW(list, CB_DELETESTRING, i, 0);
            return;
        }
    }
}

bool MainDialog::SelectFavorite(const std::string& displayName) {
    HWND list = item(kIdFavorites);
    const int at = FindFavoriteEntry(Entries(list), displayName);
    if (at < 0) return false;
    SendMessageW(list, CB_SETCURSEL, at, 0);
    return true;
}

void MainDialog::ClearFavoriteSelection() {
    SendMessageW(item(kIdFavorites), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

std::optional<std::string> MainDialog::SelectedFavorite() const {
    HWND list = item(kIdFavorites);
    const int selected = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    if (selected < 0) return std::nullopt;
    return ItemText(list, selected);
}

std::string MainDialog::FavoritesEditText() const {
    return WindowText(item(kIdFavorites));
}

void MainDialog::EnableSaveSettings(bool enabled) {
    EnableWindow(item(kIdSaveSettings), enabled);
}

void MainDialog::EnableRemove(bool enabled) {
    EnableWindow(item(kIdRemove), enabled);
}

void MainDialog::AppendScaleName(const std::string& name) {
    AddString(item(kIdScale), name);
}

void MainDialog::SettingsChanged(const BaseNoteList& baseNotes, const std::string& notesInUse,
                                 const SliderPositions& /*sliders: the player's own*/) {
    player_->ShowSettings(baseNotes, notesInUse);
}

void MainDialog::ShowNoDevice() {
    const Player::Message message = player_->NoDeviceMessage();
    ShowMessage(message.text, message.caption);
}

}  // namespace tinsori
