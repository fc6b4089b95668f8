#include "ui/ChimePicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "player/ChimePictureGeometry.h"
#include "ui/Pictures.h"

namespace tinsori {

namespace {

// The chime a digit key strikes: 1 the first, 9 the ninth, 0 the tenth; -1 for other keys.
int ChimeOfDigit(int key) {
    if (key < Qt::Key_0 || key > Qt::Key_9) return -1;
    return key == Qt::Key_0 ? 9 : key - Qt::Key_1;
}

}  // namespace

ChimePicture::ChimePicture(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setCursor(HandCursor());
}

int ChimePicture::chosenChime() const {
    return std::min(chosen_, Count() - 1);
}

int ChimePicture::Count() const {
    return chimeCount ? std::max(1, chimeCount()) : 1;
}

void ChimePicture::Strike(int chime) {
    if (onKeyStrike) onKeyStrike(chime);
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

// The tubes are drawn shortest on the left, and the leftmost is the last chime: Left moves to a
// later chime, Right to an earlier one.
void ChimePicture::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QLabel::keyPressEvent(event);
    } else if (ChimeOfDigit(key) >= 0) {
        Strike(ChimeOfDigit(key));
    } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
        chosen_ = std::clamp(chosenChime() + (key == Qt::Key_Left ? 1 : -1), 0, Count() - 1);
        update();
    } else if (key == Qt::Key_Space) {
        Strike(chosenChime());
    } else {
        QLabel::keyPressEvent(event);
    }
}

// With the focus, a frame marks the chosen chime's tube.
void ChimePicture::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    const ChimeColumns columns = ColumnsOf(chosenChime(), Count());
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    const int right = std::max(columns.left, columns.right);
    painter.drawRect(QRect(QPoint(columns.left - 1, 0), QPoint(right + 1, height() - 1)));
}

}  // namespace tinsori
