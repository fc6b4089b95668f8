#include <QContextMenuEvent>
#include <QPushButton>
#include <QTimer>

#include "player/FavoriteSteps.h"
#include "ui/CTinsoriDlg.h"
#include "ui/ControlIds.h"
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
    hideAtStartTimer_.setInterval(HideAtStart::kPeriodMs);
    connect(&hideAtStartTimer_, &QTimer::timeout, this, &CTinsoriDlg::OnHideAtStartTimer);
}

void CTinsoriDlg::StartMinimized() {
    hideAtStart_ = HideAtStart(true);
    setWindowState(windowState() | Qt::WindowMinimized);
    hideAtStartTimer_.start();
}

void CTinsoriDlg::OnHideAtStartTimer() {
    hideAtStartTimer_.stop();
    // Without a tray icon a hidden window could not be found again: it stays minimized.
    if (hideAtStart_.OnTick() && tray_->added()) hide();
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
    if (event->type() != QEvent::WindowStateChange || !tray_->added()) return;
    // Hidden after the state change has run its course, so the window manager sees it whole.
    if (isMinimized() && isVisible())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) hide();
        });
}

void CTinsoriDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetSlider(PlayerSlider::Wind, player_->settings().windNow);
    pauseBlinkTimer_->Sync();
}

void CTinsoriDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    pauseBlinkTimer_->Sync();
}

// The tray's choices of output and sleep, for a desktop without a tray (or a user who does not
// look there): the rest of the tray menu is on the window already.
void CTinsoriDlg::contextMenuEvent(QContextMenuEvent* event) {
    std::vector<MenuEntry> submenus;
    for (MenuEntry& entry : player_->TrayMenu()) {
        if (!entry.submenu.empty()) submenus.push_back(std::move(entry));
    }
    menuBuilder_.Fill(windowMenu_, submenus);
    windowMenu_.popup(event->globalPos());
}

bool CTinsoriDlg::IsPaused() const {
    return player_->paused();
}

void CTinsoriDlg::Pause() {
    if (!player_->paused()) player_->OnPauseCommand();
}

void CTinsoriDlg::Continue() {
    if (player_->paused()) player_->OnPauseCommand();
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

std::string CTinsoriDlg::Title() const {
    return MediaTitle(player_->favorites());
}

}  // namespace tinsori
