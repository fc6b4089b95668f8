#pragma once

#include <QScrollBar>
#include <functional>
#include <utility>

#include "player/ScrollRequest.h"

namespace tinsori {

// A scroll bar that hands every request to its handler the way a dialog's bar sends them:
// arrows, trough and keys, the thumb while dragged and where it was let go, and an end-of-scroll
// after every scroll. The handler says where the bar then stands.
class DialogScrollBar : public QScrollBar {
public:
    // `current`: where the bar stands; `carried`: where a thumb request puts it. Returns the
    // position to show.
    using Handler = std::function<int(ScrollRequest request, int current, int carried)>;

    DialogScrollBar(Qt::Orientation orientation, QWidget* parent);

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    // Shows the position in a tooltip by the thumb while the user moves it.
    void setShowsValueWhileMoving(bool shows) { showsValue_ = shows; }
    // Applies a request as the user's action would: moves the bar, then reports.
    void request(ScrollRequest request, int carried = 0);

protected:
    void sliderChange(SliderChange change) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnAction(int action);
    int PositionAfter(ScrollRequest request, int carried);
    void ShowTipAfter(ScrollRequest request);
    void ShowValueTip();
    QRect ThumbAt(int position) const;

    Handler handler_;
    bool scrolling_ = false;
    bool showsValue_ = false;
    // Where the thumb was last drawn, to repaint only the pixels a move touches.
    int drawnPosition_ = 0;
};

}  // namespace tinsori
