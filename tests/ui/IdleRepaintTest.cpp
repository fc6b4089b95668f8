#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QStyleHints>
#include <QtTest/QTest>

#include "support/QtApplication.h"
#include "ui/CursorBlinkTimeout.h"
#include "ui/DialogScrollBar.h"

// What an idle window leaves out of its repainting must still end up on the screen right.

namespace tinsori::test {
namespace {

using testing_support::Application;

QImage OnScreen(QWidget& widget) {
    return widget.screen()
        ->grabWindow(widget.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage Rendered(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Only the thumb's old and new places are repainted: the screen must match a full redraw, with
// no thumb left behind, after moves of one pixel, of many, and onto and off an end.
TEST(IdleRepaint, TheMovingThumbLeavesNothingBehind) {
    Application();
    DialogScrollBar bar(Qt::Horizontal, nullptr);
    bar.setRange(2, 940);
    bar.resize(480, 17);
    bar.setValue(470);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    for (int value : {471, 473, 300, 2, 40, 940, 900, 470}) {
        bar.setValue(value);
        QTest::qWait(20);
        ASSERT_EQ(OnScreen(bar), Rendered(bar)) << "after moving to " << value;
    }
}

int FlashTime() {
    return QGuiApplication::styleHints()->cursorFlashTime();
}

TEST(IdleRepaint, TheCursorStopsBlinkingUntilTheUserActs) {
    Application();
    const int desktop = FlashTime();
    ASSERT_GT(desktop, 0);
    {
        CursorBlinkTimeout timeout(nullptr, 30);
        QLineEdit edit;
        EXPECT_EQ(FlashTime(), desktop);
        QTest::qWait(100);
        EXPECT_EQ(FlashTime(), 0);
        QTest::keyClick(&edit, Qt::Key_A);
        EXPECT_EQ(FlashTime(), desktop);
        QTest::qWait(100);
        EXPECT_EQ(FlashTime(), 0);
    }
    // The next window of the same program blinks again.
    EXPECT_EQ(FlashTime(), desktop);
}

}  // namespace
}  // namespace tinsori::test
