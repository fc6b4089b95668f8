#include <QPushButton>
#include <QtTest/QTest>

#include "WindowTestSupport.h"
#include "ui/LiveViewWindow.h"

namespace tinsori::test {
namespace {

using LiveViewTest = WindowTest;

TEST_F(LiveViewTest, ViewButtonOpensItAndPressingAChimeStrikesIt) {
    CTinsoriDlg& dialog = Open();
    QTest::mouseClick(Control<QPushButton>(kIdView), Qt::LeftButton);
    LiveViewWindow* view = dialog.liveView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->frameTimerRunning());
    view->Refresh();

    const Tube& tube = view->ring().tubes[3];
    const ViewPoint at = view->frame().ToView(tube.center);
    const size_t before = Sent().size();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(qRound(at.x), qRound(at.y)));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(qRound(at.x), qRound(at.y)));
    const auto sent = Sent();
    ASSERT_GT(sent.size(), before);
    EXPECT_TRUE(sent.back().isNoteOn());
    EXPECT_EQ(sent.back().data1(), Settings().chimeNotes[3].load());
    EXPECT_GE(sent.back().data2(), 95);  // pressed at the tube's centre

    // Closing it closes only the view, and its frame timer stops.
    view->close();
    EXPECT_FALSE(view->frameTimerRunning());
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace tinsori::test
