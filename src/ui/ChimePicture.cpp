#include "ui/ChimePicture.h"

#include <QMouseEvent>

#include "ui/Pictures.h"

namespace tinsori {

ChimePicture::ChimePicture(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setCursor(HandCursor());
}

void ChimePicture::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (rect().contains(at)) {
        if (onPointerMove) onPointerMove(at.x(), at.y());
    } else if (onPointerLeave) {
        // Dragged out with a button held: the label still gets the moves.
        onPointerLeave();
    }
    QLabel::mouseMoveEvent(event);
}

void ChimePicture::leaveEvent(QEvent* event) {
    if (onPointerLeave) onPointerLeave();
    QLabel::leaveEvent(event);
}

}  // namespace tinsori
