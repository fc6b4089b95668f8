#pragma once

#include <QScrollBar>
#include <functional>
#include <utility>

#include "player/ScrollRequest.h"

namespace tinsori {

// A scroll bar that reports every request the way the window's handlers expect them: arrows,
// trough and keys move by 1 or 50, the thumb reports while dragged and where it was let go, and
// every scroll ends with an end-of-scroll report. The position reported is the bar's own, read
// back after the request moved it inside the range.
class DialogScrollBar : public QScrollBar {
public:
    using Handler = std::function<void(ScrollRequest request, int position)>;

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
    void Report(ScrollRequest request);
    void ShowValueTip();
    QRect ThumbAt(int position) const;

    Handler handler_;
    bool scrolling_ = false;
    bool showsValue_ = false;
    // Where the thumb was last drawn, to repaint only the pixels a move touches.
    int drawnPosition_ = 0;
};

}  // namespace tinsori
