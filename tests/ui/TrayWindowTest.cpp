// The window beside the desktop: Pause and its blinking button, hiding instead of minimizing,
// the start of a program started minimized, and the Output menu of the window itself.

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <algorithm>

#include <QtTest/QTest>

#include "WindowTestSupport.h"
#include "midi/ports/ForwardingPort.h"
#include "ui/PauseBlinkTimer.h"
#include "ui/Pictures.h"
#include "ui/TrayIcon.h"

namespace tinsori::test {
namespace {

QAction* FindAction(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
        if (action->menu())
            if (QAction* inner = FindAction(*action->menu(), text)) return inner;
    }
    return nullptr;
}

class TrayWindowTest : public WindowTest {
protected:
    QString PauseText() { return Control<QPushButton>(kIdPause)->text(); }
    QString MenuPauseText() {
        dialog_->RefreshTrayMenu();
        return dialog_->trayMenu().actions().back()->text();
    }
};

TEST_F(TrayWindowTest, PauseTwiceBlinksTheButtonAndGivesTheDeviceBack) {
    Open();
    Control<QPushButton>(kIdPause)->click();
    EXPECT_FALSE(dialog_->player().handle().isOpen());
    EXPECT_EQ(MenuPauseText(), "&Continue");
    PauseBlinkTimer& blinker = dialog_->pauseBlinkTimer();
    EXPECT_TRUE(blinker.timerActive());
    EXPECT_EQ(PauseText(), "Continue");
    blinker.Tick();
    blinker.Tick();
    EXPECT_EQ(PauseText(), "Continue");

    // Continue from the menu; the next pause goes on from the phase where this one stopped.
    FindAction(dialog_->trayMenu(), "&Continue")->trigger();
    dialog_->player().AwaitOutput();  // opened in the background
    EXPECT_TRUE(dialog_->player().handle().isOpen());
    EXPECT_FALSE(blinker.timerActive());
    EXPECT_EQ(PauseText(), "Pause");
    EXPECT_EQ(MenuPauseText(), "&Pause");
    Control<QPushButton>(kIdPause)->click();
    EXPECT_EQ(PauseText(), "Continue");
    blinker.Tick();
    EXPECT_EQ(PauseText(), "");
    // A screen reader's name for the button does not blink.
    EXPECT_EQ(Control<QPushButton>(kIdPause)->accessibleName(), "Continue");
}

// The bottom line and the tray's tip under its first line: the output, a pause, the sleep timer,
// and an output that did not open.
TEST_F(TrayWindowTest, TheWindowAndTheTipTellWhatThePlayerIsDoing) {
    Open();
    auto line = [this] { return Control<QLabel>(kIdStatusLine)->text(); };
    auto tipState = [this] { return dialog_->trayIcon().toolTip().section('\n', 1); };
    EXPECT_EQ(line(), "Tinsori \u00b7 recording");
    EXPECT_EQ(tipState(), "recording");
    dialog_->player().StartSleep(90000, SleepEnd::Pause);
    dialog_->ShowStatus();
    EXPECT_EQ(tipState(), "recording \u00b7 Sleep in 1:30");
    Control<QPushButton>(kIdPause)->click();
    EXPECT_EQ(line(), "Tinsori \u00b7 Paused \u00b7 Sleep in 1:30");
    dialog_->ShutDownOnDestroy();

    OutputOpener fails = [](std::string* why) {
        *why = "no card";
        return std::unique_ptr<MidiPort>();
    };
    dialog_ = std::make_unique<CTinsoriDlg>(timeline_, *store_, fails, 7u);
    QuestionAnswerer ok(QMessageBox::Ok);
    dialog_->Start("");
    EXPECT_EQ(line(), "Tinsori \u00b7 No sound device");
    // The embedded synthesizer found no sound server: no MIDI device is "in use".
    EXPECT_EQ(ok.caption, "Tinsori: No Sound");
    EXPECT_NE(ok.text.find("No sound: no card."), std::string::npos);
}

// The embedded synthesizer's name with its driver is longer than the line.
class LongNamedPort : public ForwardingPort {
public:
    using ForwardingPort::ForwardingPort;
    std::string describe() const override { return "Embedded synthesizer (pulseaudio)"; }
};

TEST_F(TrayWindowTest, TheStatusLineNeverCutsOffTheStateAndTheTrayIconShowsAPause) {
    OutputOpener opener = [this](std::string*) {
        return std::make_unique<LongNamedPort>(recorder_);
    };
    dialog_ = std::make_unique<CTinsoriDlg>(timeline_, *store_, opener, 7u);
    dialog_->Start("");
    dialog_->show();
    auto* line = Control<QLabel>(kIdStatusLine);
    dialog_->player().StartSleep(99 * 60000, SleepEnd::Pause);
    dialog_->ShowStatus();
    EXPECT_TRUE(line->text().endsWith("Sleep in 99:00")) << line->text().toStdString();
    EXPECT_EQ(line->accessibleName(), "Embedded synthesizer (pulseaudio) \u00b7 Sleep in 99:00");
    EXPECT_FALSE(dialog_->trayIcon().showsPaused());
    dialog_->Pause();
    EXPECT_TRUE(line->text().contains("Paused \u00b7 Sleep in 99:00"));
    EXPECT_TRUE(dialog_->trayIcon().showsPaused());
    EXPECT_NE(PausedApplicationIcon().pixmap(32).toImage(), ApplicationIcon().pixmap(32).toImage());
}

// A remembered `none` is said on the window, with the way to another output.
TEST_F(TrayWindowTest, ShiftF10AndTheMenuKeyOfferOutputSleepAndPause) {
    Open().player().SetOutputs(
        {"none",
         [] {
             return std::vector<OutputListing>{{"none", "None"}};
         },
         [this](const std::string&, std::string*) { return recorder_.borrow(); }});
    dialog_->ShowStatus();
    EXPECT_EQ(dialog_->trayIcon().toolTip().section('\n', 1),
              "No sound: the output is none \u00b7 Shift+F10 chooses another");
    for (const QKeyCombination keys : {Qt::SHIFT | Qt::Key_F10, QKeyCombination(Qt::Key_Menu)}) {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
        QMenu& menu = dialog_->windowMenu();
        EXPECT_TRUE(menu.isVisible());
        EXPECT_TRUE(FindAction(menu, "Output") && FindAction(menu, "Sleep"));
        EXPECT_TRUE(FindAction(menu, "&Pause"));
        menu.hide();
    }
}

TEST_F(TrayWindowTest, MinimizingHidesOnlyWhenTheTrayIconIsThere) {
    Open();
    ASSERT_FALSE(dialog_->trayIcon().added());  // offscreen has no tray
    dialog_->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(dialog_->isVisible());

    dialog_->ShowNormally();
    ASSERT_TRUE(dialog_->trayIcon().Add(true));
    dialog_->showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(dialog_->isVisible());
    // Paused in the tray, the unseen button does not blink; shown, it does.
    dialog_->Pause();
    EXPECT_FALSE(dialog_->pauseBlinkTimer().timerActive());
    dialog_->ShowNormally();
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_FALSE(dialog_->isMinimized());
    EXPECT_TRUE(dialog_->pauseBlinkTimer().timerActive());

    dialog_->RefreshTrayMenu();
    FindAction(dialog_->trayMenu(), "E&xit")->trigger();
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(TrayWindowTest, StartedMinimizedHidesOnceAndOnlyWithATray) {
    Open();
    dialog_->StartMinimized();
    dialog_->OnHideAtStartTimer();
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_TRUE(dialog_->isMinimized());

    dialog_->trayIcon().Add(true);
    dialog_->ShowNormally();
    dialog_->StartMinimized();
    dialog_->OnHideAtStartTimer();
    EXPECT_FALSE(dialog_->isVisible());
    dialog_->ShowNormally();
    dialog_->OnHideAtStartTimer();
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(TrayWindowTest, OutputChosenOnTheWindowPlaysThereAndIsRemembered) {
    RecordingPort other(timeline_);
    Open().player().SetOutputs(
        {"fluidsynth",
         [] {
             return std::vector<OutputListing>{{"fluidsynth", "Embedded synthesizer"},
                                               PortListing("Port B (129:0)"),
                                               {"none", "None"}};
         },
         [&](const std::string& name, std::string*) {
             return name == "fluidsynth" ? recorder_.borrow() : other.borrow();
         }});
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(dialog_.get(), &click);
    QAction* port = FindAction(dialog_->windowMenu(), "Port B (129:0)");
    ASSERT_TRUE(port);
    dialog_->windowMenu().hide();
    port->trigger();

    std::string stored;
    store_->ReadString("Midi", "Output", stored, 510);
    EXPECT_EQ(stored, "Port B (129:0)");
    const size_t onFirst = Sent().size();
    timeline_.runUntil(30000, 0, {});
    EXPECT_EQ(Sent().size(), onFirst);
    const auto played = other.messages();
    EXPECT_TRUE(std::any_of(played.begin(), played.end(), [](auto& m) { return m.isNoteOn(); }));
    dialog_->ShutDownOnDestroy();
}

}  // namespace
}  // namespace tinsori::test
