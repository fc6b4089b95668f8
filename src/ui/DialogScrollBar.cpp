#include "ui/DialogScrollBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace tinsori {

namespace {

bool IsScrollKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

}  // namespace

DialogScrollBar::DialogScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setSingleStep(kScrollLine);
    // The page is not shown as the thumb's length: the thumb stays small, as on a dialog's bar.
    setPageStep(0);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, &DialogScrollBar::OnAction);
}

void DialogScrollBar::request(ScrollRequest request, int carried) {
    // The bar keeps the position inside its range; the handler reads it back.
    setValue(ScrollTarget(request, value(), carried));
    Report(request);
}

// Runs before the slider takes the new position, with `value()` still the old one.
void DialogScrollBar::OnAction(int action) {
    const int carried = sliderPosition();
    ScrollRequest kind = ScrollRequest::ThumbTrack;
    switch (action) {
        case SliderSingleStepAdd:
            kind = ScrollRequest::LineForward;
            break;
        case SliderSingleStepSub:
            kind = ScrollRequest::LineBack;
            break;
        case SliderPageStepAdd:
            kind = ScrollRequest::PageForward;
            break;
        case SliderPageStepSub:
            kind = ScrollRequest::PageBack;
            break;
        case SliderToMinimum:
            kind = ScrollRequest::Top;
            break;
        case SliderToMaximum:
            kind = ScrollRequest::Bottom;
            break;
        case SliderMove:
            kind = ScrollRequest::ThumbTrack;
            break;
        default:
            return;
    }
    scrolling_ = true;
    // The slider sets the position it holds once this returns: make it the requested one.
    setSliderPosition(ScrollTarget(kind, value(), carried));
    setValue(sliderPosition());
    Report(kind);
}

void DialogScrollBar::Report(ScrollRequest request) {
    if (handler_) handler_(request, value());
}

void DialogScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    const bool thumbHeld = isSliderDown();
    QScrollBar::mouseReleaseEvent(event);
    if (thumbHeld) request(ScrollRequest::ThumbPosition, value());
    if (thumbHeld || scrolling_) {
        scrolling_ = false;
        request(ScrollRequest::EndScroll);
    }
}

void DialogScrollBar::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && IsScrollKey(event->key()) && scrolling_) {
        scrolling_ = false;
        request(ScrollRequest::EndScroll);
        return;
    }
    QScrollBar::keyReleaseEvent(event);
}

// A dialog's scroll bar takes no wheel: turning it must not move a setting unseen.
void DialogScrollBar::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

}  // namespace tinsori
