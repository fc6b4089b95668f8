#include <QContextMenuEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "player/ControlIds.h"
#include "player/FavoriteSteps.h"
#include "player/HideAtStart.h"
#include "ui/CTinsoriDlg.h"
#include "ui/MediaControls.h"
#include "ui/PauseBlinkTimer.h"
#include "ui/TrayIcon.h"

// The main window's life beside the desktop: the tray icon and its menu, hiding instead of
// minimizing, Pause and its blinking button, the start of a program started minimized, and the
// desktop's media controls.

namespace tinsori {

void CTinsoriDlg::SetUpTray() {
    tray_ = new TrayIcon(this);
    tray_->onLeftClick = [this] { ShowNormally(); };
    tray_->SetMenu(&trayMenu_, [this] { RefreshTrayMenu(); });
    auto* pause = static_cast<QPushButton*>(control(kIdPause));
    pauseBlinkTimer_ = new PauseBlinkTimer(*player_, *pause, this);
    connect(pause, &QPushButton::clicked, this, [this] { player_->OnPauseCommand(); });
    hideAtStartTimer_.setSingleShot(true);
    hideAtStartTimer_.setInterval(Player::kStartTimerPeriodMs);
    connect(&hideAtStartTimer_, &QTimer::timeout, this, &CTinsoriDlg::OnHideAtStartTimer);
    ConnectMenuKeys();
}

void CTinsoriDlg::StartMinimized() {
    player_->StartMinimized();
    setWindowState(windowState() | Qt::WindowMinimized);
    hideAtStartTimer_.start();
}

void CTinsoriDlg::OnHideAtStartTimer() {
    hideAtStartTimer_.stop();
    if (player_->OnStartTimer(tray_->added())) hide();
}

void CTinsoriDlg::StartMediaControls() {
    if (!media_) media_ = std::make_unique<MediaControls>(*this);
}

void CTinsoriDlg::RefreshTrayMenu() {
    menuBuilder_.Fill(trayMenu_, player_->TrayMenu());
}

void CTinsoriDlg::OnMenuCommand(int id) {
    const MenuAction action = player_->OnMenuCommand(id);
    // An output or a sleep time may have been chosen.
    ShowStatus();
    switch (action) {
        case MenuAction::Exit:
            accept();
            break;
        case MenuAction::ShowWindow:
            ShowNormally();
            break;
        case MenuAction::None:
            break;
    }
}

void CTinsoriDlg::ShowNormally() {
    showNormal();
    raise();
    activateWindow();
}

void CTinsoriDlg::ShowPaused(bool) {
    pauseBlinkTimer_->Sync();
    ShowStatus();
    if (media_) media_->StateChanged();
}

void CTinsoriDlg::FavoritesChanged() {
    if (media_) media_->StateChanged();
}

void CTinsoriDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (!HideAtStart::MinimizeHides(tray_->added())) return;
    // Hidden after the state change has run its course, so the window manager sees it whole.
    if (isMinimized() && isVisible())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) hide();
        });
}

void CTinsoriDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    player_->OnWindowSeen(true);
    pauseBlinkTimer_->Sync();
}

void CTinsoriDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    player_->OnWindowSeen(false);
    pauseBlinkTimer_->Sync();
}

void CTinsoriDlg::contextMenuEvent(QContextMenuEvent* event) {
    ShowWindowMenu(event->globalPos());
}

void CTinsoriDlg::ShowWindowMenu(QPoint at) {
    menuBuilder_.Fill(windowMenu_, player_->WindowMenu());
    windowMenu_.popup(at);
    // From the keyboard the first entry is chosen, so the arrows move at once.
    if (!windowMenu_.actions().isEmpty())
        windowMenu_.setActiveAction(windowMenu_.actions().front());
}

// Shift+F10 and the Menu key open the window's menu under the focused control, whatever that
// control's own menu would be: Output, Sleep and Pause are otherwise a mouse's reach only.
void CTinsoriDlg::ConnectMenuKeys() {
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            const QWidget* focused = focusWidget() ? focusWidget() : this;
            ShowWindowMenu(focused->mapToGlobal(focused->rect().center()));
        });
    }
}

bool CTinsoriDlg::IsPaused() const {
    return player_->paused();
}

void CTinsoriDlg::Pause() {
    player_->SetPaused(true);
}

void CTinsoriDlg::Continue() {
    player_->SetPaused(false);
}

void CTinsoriDlg::Raise() {
    ShowNormally();
}

void CTinsoriDlg::Quit() {
    reject();
}

void CTinsoriDlg::StepFavorite(int step) {
    ::tinsori::StepFavorite(player_->favorites(), step);
}

double CTinsoriDlg::Volume() const {
    return player_->volumeShare();
}

void CTinsoriDlg::SetVolume(double volume) {
    player_->OnVolumeShare(volume);
}

std::string CTinsoriDlg::Title() const {
    return MediaTitle(player_->favorites());
}

}  // namespace tinsori
