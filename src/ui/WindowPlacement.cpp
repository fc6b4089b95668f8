#include "ui/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tinsori {

QRect PlaceBesideOnScreen(const QRect& anchor, QSize size, const QRect& screen, int narrowest) {
    size = size.boundedTo(screen.size());
    const int roomRight = screen.right() - anchor.right();
    const int roomLeft = anchor.left() - screen.left();
    const int room = std::max(roomRight, roomLeft);
    if (room < size.width() && narrowest > 0 && room >= narrowest) size.setWidth(room);
    int x = 0;
    if (roomRight >= size.width()) {
        x = anchor.right() + 1;
    } else if (roomLeft >= size.width()) {
        x = anchor.left() - size.width();
    } else {
        x = roomRight >= roomLeft ? screen.right() + 1 - size.width() : screen.left();
    }
    const int y = std::clamp(anchor.top(), screen.top(), screen.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

// The window manager adds the same frame to both windows: the anchor's tells its size.
void PlaceBeside(QWidget& window, const QWidget& beside) {
    const QScreen* screen = beside.screen();
    if (!screen) return;
    const QRect inner = beside.geometry();
    const QRect outer = beside.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect placed =
        PlaceBesideOnScreen(outer, window.size().grownBy(frame), screen->availableGeometry(),
                            window.minimumWidth() + frame.left() + frame.right());
    window.setGeometry(placed.marginsRemoved(frame));
}

}  // namespace tinsori
