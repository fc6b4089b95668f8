#include "ui/DialogScrollBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <utility>

namespace tinsori {

namespace {

std::optional<ScrollKey> ScrollKeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return ScrollKey::Left;
        case Qt::Key_Up:
            return ScrollKey::Up;
        case Qt::Key_Right:
            return ScrollKey::Right;
        case Qt::Key_Down:
            return ScrollKey::Down;
        case Qt::Key_PageUp:
            return ScrollKey::PageUp;
        case Qt::Key_PageDown:
            return ScrollKey::PageDown;
        case Qt::Key_Home:
            return ScrollKey::Home;
        case Qt::Key_End:
            return ScrollKey::End;
        default:
            return std::nullopt;
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
    setValue(PositionAfter(request, carried));
    ShowTipAfter(request);
}

int DialogScrollBar::PositionAfter(ScrollRequest request, int carried) {
    return handler_ ? handler_(request, value(), carried) : ScrollTarget(request, value(), carried);
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
    setSliderPosition(PositionAfter(kind, carried));
    setValue(sliderPosition());
    ShowTipAfter(kind);
}

void DialogScrollBar::ShowTipAfter(ScrollRequest request) {
    if (showsValue_ && request != ScrollRequest::EndScroll) ShowValueTip();
}

void DialogScrollBar::ShowValueTip() {
    const int span = std::max(1, maximum() - minimum());
    const bool across = orientation() == Qt::Horizontal;
    const int along = (value() - minimum()) * (across ? width() : height()) / span;
    const QPoint thumb = across ? QPoint(along, 0) : QPoint(width(), along);
    QToolTip::showText(mapToGlobal(thumb), QString::number(value()), this);
}

// The wind moves its thumb five times a second: repainting the whole bar each time cost a visible
// idle window most of its CPU. A move repaints where the thumb was and where it is, or nothing
// when it stays on the same pixels. At either end the arrows may change their look: all of it.
void DialogScrollBar::sliderChange(SliderChange change) {
    const int before = std::exchange(drawnPosition_, sliderPosition());
    const auto atAnEnd = [this](int position) {
        return position <= minimum() || position >= maximum();
    };
    if (change != SliderValueChange || atAnEnd(before) || atAnEnd(drawnPosition_)) {
        QScrollBar::sliderChange(change);
        return;
    }
    const QRect was = ThumbAt(before);
    const QRect is = ThumbAt(drawnPosition_);
    // Styles draw the thumb's outline a pixel past the rectangle they report.
    constexpr int kOutline = 2;
    if (was != is) update(was.united(is).adjusted(-kOutline, -kOutline, kOutline, kOutline));
}

QRect DialogScrollBar::ThumbAt(int position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = position;
    option.sliderValue = position;
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
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

void DialogScrollBar::keyPressEvent(QKeyEvent* event) {
    const std::optional<ScrollKey> key = ScrollKeyOf(event->key());
    if (!key || event->modifiers() != Qt::NoModifier) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    scrolling_ = true;
    request(RequestOfKey(*key));
}

void DialogScrollBar::keyReleaseEvent(QKeyEvent* event) {
    const bool scrollKey = ScrollKeyOf(event->key()).has_value();
    if (!event->isAutoRepeat() && scrollKey && scrolling_) {
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
