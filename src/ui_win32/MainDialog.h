#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/ChimePictureKeys.h"
#include "player/Player.h"
#include "player/PlayerView.h"
#include "ui_win32/PictureBitmaps.h"
#include "ui_win32/TemplateControls.h"
#include "ui_win32/TrayIcon.h"
#include "ui_win32/WindowCommands.h"

namespace tinsori {

// The main window on Windows: a dialog made from the shared template. It shows what the player
// asks through the view interface and hands every user action to the player, which owns the
// settings, the device and the simulation thread.
class StopSignalDescriptor;

class MainDialog : public PlayerView {
public:
    // Loads the settings (no window yet).
    MainDialog(Timebase& timebase, ProfileStore& store, OutputOpener opener,
               std::optional<uint32_t> seed);
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    // Makes the window and runs the start-up with `commandLine`; the window is not shown yet.
    HWND Create(const std::string& commandLine);
    // Shows the window; started minimized, it hides into the tray after the start timer.
    void Show(bool minimized);
    HWND window() const { return window_; }
    // Keys the window takes before the dialog manager: the chime picture's strikes and the
    // window's menu (Shift+F10, the Menu key). True when the message was used.
    bool PreTranslate(const MSG& message);
    // Polled on the wind timer's tick: the console's stop requests.
    void WatchStopSignals(StopSignalDescriptor* signals) { stopSignals_ = signals; }
    Player& player() { return *player_; }

    // PlayerView
    void ShowBaseNotes(const BaseNoteList& list) override;
    void ShowNotesInUse(const std::string& text) override;
    void ShowInstruments(const std::vector<std::string>& names, int selected) override;
    void ShowScales(const std::vector<std::string>& names, int selected) override;
    void SelectTranspose(int transpose) override;
    void SelectChannel(int channel) override;
    void ShowChimeCount(int count) override;
    void ShowConfiguration(int configuration) override;
    void SetSlider(PlayerSlider slider, int position) override;
    void SetCheckBox(PlayerCheckBox box, bool checked) override;
    void ShowPaused(bool paused) override;
    void ShowNoDevice() override;
    void RunWindTimer(bool running) override;

    // FavoritesView
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    void AddFavorite(const std::string& displayName) override;
    void DeleteFavorite(const std::string& displayName) override;
    bool SelectFavorite(const std::string& displayName) override;
    void ClearFavoriteSelection() override;
    std::optional<std::string> SelectedFavorite() const override;
    std::string FavoritesEditText() const override;
    void EnableSaveSettings(bool enabled) override;
    void EnableRemove(bool enabled) override;
    void AppendScaleName(const std::string& name) override;
    void SettingsChanged(const BaseNoteList& baseNotes, const std::string& notesInUse,
                         const SliderPositions& sliders) override;

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void SetUpControls();
    void AddAboutToSystemMenu();

    // Commands and notifications.
    void OnCommand(int id, int code, HWND control);
    bool OnListNotification(int id, int code);
    bool OnButtonClick(int id);
    void OnMenuCommand(int id);
    void OnScroll(HWND bar, int code, int carried);
    void OnPointer(POINT at);
    bool OnSetCursor(HWND over, int hitTest);
    bool OnPictureKey(WPARAM key);
    void ShowWindowMenu(POINT at);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void RenameInstrument();

    // The tray, the timers and the window's life.
    INT_PTR OnSysCommand(WPARAM command);
    void OnTrayMessage(LPARAM mouse);
    void ShowTrayMenu();
    void OnTimer(UINT_PTR id);
    void ShowNormally();
    void ShowStatus();
    void ShowPauseText();
    void ShowContextHelp();
    void ShowHelpContents();
    void ShowAbout();
    void ShutDownOnDestroy();
    void ShutDownOnSessionEnd();
    void TakeStopSignal();

    HWND item(int id) const { return GetDlgItem(window_, id); }
    RECT PictureRect() const;

    std::unique_ptr<Player> player_;
    StopSignalDescriptor* stopSignals_ = nullptr;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HCURSOR handCursor_ = nullptr;
    std::unique_ptr<TrayIcon> tray_;
    TemplateControls controls_;
    PictureBitmaps pictures_;
    UINT taskbarCreated_ = 0;
    std::string commandLine_;
    std::string shownStatus_;
    std::wstring shownLine_;
    // The keyboard's chosen tube of the chime picture.
    ChimePictureKeys pictureKeys_;
    // Set while the window itself changes a control, whose notifications are then not the user's.
    bool showing_ = false;
    bool destroyed_ = false;
};

}  // namespace tinsori
