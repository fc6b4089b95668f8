#include "ui/CTinsoriDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>

#include "player/ControlIds.h"
#include "player/MainWindowControls.h"
#include "player/NumberList.h"
#include "settings/StringTable.h"
#include "ui/CAboutDlg.h"
#include "ui/HelpWindow.h"
#include "ui/LiveViewWindow.h"
#include "ui/MediaControls.h"
#include "ui/PauseBlinkTimer.h"
#include "ui/Pictures.h"
#include "ui/TrayIcon.h"
#include "ui/WindowPlacement.h"

// Construction, start-up, shut-down, help and the About box of the main window.

namespace tinsori {

namespace {

// What the window manager's title bar and borders take around the window, about.
constexpr QSize kFrameAllowance(0, 40);

// The window must fit the screen whole, or Pause, About and Help may lie beyond its edge.
QSize RoomOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() - kFrameAllowance : QSize();
}

}  // namespace

CTinsoriDlg::CTinsoriDlg(Timebase& timebase, ProfileStore& store, OutputOpener opener,
                         std::optional<uint32_t> seed)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      controls_(
          DialogControls::Build(*this, MainDialogTemplate(), QApplication::font(), RoomOnScreen())),
      menuBuilder_([this](int id) { OnMenuCommand(id); }) {
    player_ = std::make_unique<Player>(timebase, store, std::move(opener), *this, seed);
    setWindowIcon(ApplicationIcon());
    combo(kIdChannel)->clear();
    for (const std::string& entry : kChannelList.Entries())
        combo(kIdChannel)->addItem(QString::fromStdString(entry));
    for (const std::string& entry : kTransposeList.Entries())
        combo(kIdTranspose)->addItem(QString::fromStdString(entry));
    static_cast<QPushButton*>(control(kIdNothing))->setDefault(true);
    static_cast<QPushButton*>(control(kIdPause))->setText(LoadResString(kStringPause));
    ConnectLists();
    ConnectButtons();
    ConnectScrollBars();
    ConnectFocusHelp();
    ConnectPicture();
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &CTinsoriDlg::ShowContextHelp);
    windTimer_.setInterval(Player::kWindTimerPeriodMs);
    connect(&windTimer_, &QTimer::timeout, this, [this] {
        player_->OnWindTimer();
        ShowStatus();
    });
    SetUpTray();
}

CTinsoriDlg::~CTinsoriDlg() {
    ShutDownOnDestroy();
    delete help_;
    // The controls outlive the player: the focused one reports losing the focus as it goes.
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

void CTinsoriDlg::Start(const std::string& commandLine) {
    if (player_->started()) return;
    tray_->Add(QSystemTrayIcon::isSystemTrayAvailable());
    player_->Start(commandLine);
    ShowStatus();
    // The first control of the tab order has the focus when the window opens.
    control(kIdFavorites)->setFocus(Qt::TabFocusReason);
}

void CTinsoriDlg::RunWindTimer(bool running) {
    if (running) {
        windTimer_.start();
    } else {
        windTimer_.stop();
    }
}

void CTinsoriDlg::ShutDownOnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    tray_->Remove();
    hideAtStartTimer_.stop();
    if (help_) help_->close();
    // The view reads the player on its own timer.
    delete liveView_;
    player_->ShutDownOnDestroy();
    // Nothing may reach a player that has shut down.
    media_.reset();
}

void CTinsoriDlg::ShutDownOnSessionEnd() {
    player_->ShutDownOnSessionEnd();
}

void CTinsoriDlg::RequestClose() {
    closeRequested_ = true;
    // A start-up message or a question may be waiting for an answer no one will give.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == this || !modal->close()) break;
    }
    reject();
}

void CTinsoriDlg::ShowContextHelp() {
    if (!help_) help_ = new HelpWindow();
    help_->ShowPage(HelpPageOf(player_->help().Keyword()), this);
}

void CTinsoriDlg::ShowHelpContents() {
    if (!help_) help_ = new HelpWindow();
    help_->ShowPage(HelpPageOf(""), this);
}

void CTinsoriDlg::ShowAbout() {
    CAboutDlg about(this);
    about.onHelp = [this] { ShowContextHelp(); };
    about.exec();
}

void CTinsoriDlg::ShowLiveView() {
    if (destroyed_) return;
    if (!liveView_) {
        liveView_ = new LiveViewWindow(*player_);
        if (isVisible()) PlaceBeside(*liveView_, *this);
    }
    liveView_->show();
    liveView_->raise();
    liveView_->activateWindow();
}

LiveViewWindow* CTinsoriDlg::liveView() const {
    return liveView_.data();
}

QComboBox* CTinsoriDlg::combo(int id) const {
    return static_cast<QComboBox*>(control(id));
}

}  // namespace tinsori
