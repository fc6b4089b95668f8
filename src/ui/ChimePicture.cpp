#include "ui/ChimePicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "player/ChimePictureGeometry.h"
#include "ui/Pictures.h"

namespace tinsori {

namespace {

bool IsDigit(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

}  // namespace

ChimePicture::ChimePicture(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setCursor(HandCursor());
}

int ChimePicture::chosenChime() const {
    return keys_.chosen(Count());
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

void ChimePicture::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QLabel::keyPressEvent(event);
    } else if (IsDigit(key)) {
        Strike(ChimePictureKeys::ChimeOfDigit(key - Qt::Key_0));
    } else if (key == Qt::Key_Left) {
        keys_.MoveLeft(Count());
        update();
    } else if (key == Qt::Key_Right) {
        keys_.MoveRight(Count());
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
