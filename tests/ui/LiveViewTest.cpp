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

TEST_F(LiveViewTest, GrowsWithItsSizeIsNamedForScreenReadersAndClosesFromTheKeyboard) {
    CTinsoriDlg& dialog = Open();
    dialog.ShowLiveView();
    LiveViewWindow* view = dialog.liveView();
    view->Refresh();
    EXPECT_EQ(view->accessibleName(), "Tinsori Live View");
    EXPECT_TRUE(view->accessibleDescription().contains("Wind: Nice Breeze."));

    // Twice its opening size, all of it is drawn twice as large, and a press still finds the tube.
    view->resize(1040, 1160);
    EXPECT_DOUBLE_EQ(view->growth(), 2.0);
    view->Refresh();
    const ViewPoint at = view->frame().ToView(view->ring().tubes[2].center);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(qRound(2 * at.x), qRound(2 * at.y)));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(qRound(2 * at.x), qRound(2 * at.y)));
    EXPECT_EQ(Sent().back().data1(), Settings().chimeNotes[2].load());

    // Escape closes it (out of full screen), and so does Ctrl+W; closed, it is gone.
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog.liveView(), nullptr);
    dialog.ShowLiveView();
    QTest::keyClick(dialog.liveView(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(dialog.liveView()->isVisible());
}

}  // namespace
}  // namespace tinsori::test
