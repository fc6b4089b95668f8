#pragma once

#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "player/Player.h"
#include "player/PlayerView.h"
#include "ui/DialogControls.h"
#include "ui/HelpWindow.h"
#include "ui/MediaControlsTarget.h"
#include "ui/PopupMenuBuilder.h"

class QComboBox;

namespace tinsori {

class LiveViewWindow;
class MediaControls;
class PauseBlinkTimer;
class TrayIcon;

// The main window. It shows what the player asks through the view interface and hands every
// user action to the player, which owns the settings, the device and the simulation thread.
// It lives in the notification area when the desktop has one, and answers the desktop's media
// controls.
class CTinsoriDlg : public QDialog, public PlayerView, public MediaControlsTarget {
public:
    // Loads the settings (no window work yet).
    CTinsoriDlg(Timebase& timebase, ProfileStore& store, OutputOpener opener,
                std::optional<uint32_t> seed = std::nullopt);
    ~CTinsoriDlg() override;

    // The start-up: every list and control, the device, a "Settings" command line, the thread,
    // the Favorites list, then the wind timer. Call once, before the window is shown.
    void Start(const std::string& commandLine);
    // Started minimized: shows minimized, and the player's start timer may hide the window.
    void StartMinimized();
    // The media controls on the session bus; after the start-up.
    void StartMediaControls();

    // The shut-down of a closed window (closing chime run included); runs once.
    void ShutDownOnDestroy();
    // The shorter shut-down when the desktop session ends.
    void ShutDownOnSessionEnd();

    // Closes the window from outside (a signal): any message box over it first, and a window
    // not yet running its modal loop does not start it.
    void RequestClose();
    bool closeRequested() const { return closeRequested_; }

    void ShowContextHelp();
    void ShowHelpContents();
    void ShowAbout();
    // Opens the live view (or brings it to the front).
    void ShowLiveView();
    LiveViewWindow* liveView() const;

    Player& player() { return *player_; }
    QWidget* control(int id) const { return controls_.widget(id); }
    HelpWindow* helpWindow() const { return help_.data(); }
    TrayIcon& trayIcon() { return *tray_; }
    PauseBlinkTimer& pauseBlinkTimer() { return *pauseBlinkTimer_; }
    // The tray icon's menu and the window's own context menu, refilled when they open.
    QMenu& trayMenu() { return trayMenu_; }
    QMenu& windowMenu() { return windowMenu_; }
    void RefreshTrayMenu();
    void OnHideAtStartTimer();
    // Shows the window in its normal size, in front.
    void ShowNormally();

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
    void RunWindTimer(bool running) override;
    // A MIDI port another program holds gets the usual box; an audio output that did not open
    // gets the reason and what to try.
    void ShowNoDevice() override;
    // The product line and the tray's tip tell where the sound goes, a pause, the sleep time left.
    void ShowStatus();

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

    // MediaControlsTarget
    bool IsPaused() const override;
    void Pause() override;
    void Continue() override;
    void Raise() override;
    void Quit() override;
    void StepFavorite(int step) override;
    double Volume() const override;
    void SetVolume(double volume) override;
    std::string Title() const override;

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetUpTray();
    void ConnectMenuKeys();
    void ShowWindowMenu(QPoint at);
    void OnMenuCommand(int id);
    void FavoritesChanged();
    void ConnectLists();
    void ConnectButtons();
    void ConnectScrollBars();
    void ConnectFocusHelp();
    void ConnectPicture();
    void RenameInstrument();
    QComboBox* combo(int id) const;
    std::vector<std::string> FavoriteEntries() const;

    DialogControls controls_;
    std::unique_ptr<Player> player_;
    QTimer windTimer_;
    QPointer<HelpWindow> help_;
    TrayIcon* tray_ = nullptr;
    PauseBlinkTimer* pauseBlinkTimer_ = nullptr;
    PopupMenuBuilder menuBuilder_;
    QMenu trayMenu_;
    QMenu windowMenu_;
    QTimer hideAtStartTimer_;
    std::unique_ptr<MediaControls> media_;
    std::string shownStatus_;
    QPointer<LiveViewWindow> liveView_;
    bool destroyed_ = false;
    bool closeRequested_ = false;
};

}  // namespace tinsori
