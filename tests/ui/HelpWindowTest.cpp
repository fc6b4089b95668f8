// The help window: its keys, its buttons, and where it opens.

#include <QPointer>
#include <QTextBrowser>
#include <QtTest/QTest>

#include "WindowTestSupport.h"
#include "ui/HelpWindow.h"
#include "ui/Translations.h"
#include "ui/WindowPlacement.h"

namespace tinsori::test {
namespace {

TEST(HelpWindowTest, EscapeAndCtrlWClose) {
    Application();
    for (QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
        QPointer<HelpWindow> help = new HelpWindow();
        help->ShowPage("chime.html");
        QApplication::processEvents();
        QTest::keyClick(help->focusWidget(), keys.key(), keys.keyboardModifiers());
        EXPECT_TRUE(!help || !help->isVisible()) << keys.key();
        delete help;
    }
}

// Every page has its German and French twin, found through the language's own links.
TEST(HelpWindowTest, PagesComeInTheUsersLanguage) {
    Application();
    for (const char* language : {"de", "fr"}) {
        setenv("LANGUAGE", language, 1);
        const Translations translations;
        unsetenv("LANGUAGE");
        HelpWindow help;
        for (const char* page :
             {"index.html", "chime.html", "command-line.html", "configurations.html",
              "creating-presets.html", "favorites.html", "instrument.html", "playing.html",
              "transpose.html", "wind.html"}) {
            help.ShowPage(page);
            EXPECT_EQ(help.findChild<QTextBrowser*>()->source().path(),
                      QStringLiteral("/help/%1/%2").arg(language, page));
        }
        help.contentsButton()->click();
        EXPECT_TRUE(help.findChild<QTextBrowser*>()->source().path().startsWith(
            QStringLiteral("/help/") + language));
    }
}

TEST(HelpWindowTest, BackForwardAndContentsButtons) {
    Application();
    HelpWindow help;
    help.ShowPage("chime.html");
    EXPECT_FALSE(help.backButton()->isEnabled());
    help.ShowPage("wind.html");
    help.backButton()->click();
    EXPECT_EQ(help.shownPage(), "chime.html");
    EXPECT_TRUE(help.forwardButton()->isEnabled());
    help.forwardButton()->click();
    EXPECT_EQ(help.shownPage(), "wind.html");
    help.contentsButton()->click();
    EXPECT_EQ(help.shownPage(), "index.html");
    help.close();
}

// Beside the main window where there is room, else wholly on the screen.
TEST(HelpWindowTest, OpensBesideTheAnchorAndWhollyOnTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    const QSize help(580, 530);
    EXPECT_EQ(PlaceBesideOnScreen(QRect(10, 300, 640, 480), help, screen),
              QRect(650, 270, 580, 530));
    EXPECT_EQ(PlaceBesideOnScreen(QRect(630, 100, 640, 480), help, screen),
              QRect(50, 100, 580, 530));
    // No room on either side: against the roomier side's edge, over part of the window.
    EXPECT_EQ(PlaceBesideOnScreen(QRect(300, 0, 640, 480), help, screen), QRect(700, 0, 580, 530));
    EXPECT_EQ(PlaceBesideOnScreen(QRect(0, 0, 640, 480), QSize(600, 900), screen),
              QRect(640, 0, 600, 800));
    // A window that may be narrower (the live view) is, rather than cover the anchor's buttons.
    EXPECT_EQ(PlaceBesideOnScreen(QRect(240, 150, 800, 470), QSize(530, 600), screen, 200),
              QRect(1040, 150, 240, 600));
}

}  // namespace
}  // namespace tinsori::test
