#include "ui/WindowPlacement.h"

#include <algorithm>

namespace tinsori {

QRect PlaceBesideOnScreen(const QRect& anchor, QSize size, const QRect& screen) {
    size = size.boundedTo(screen.size());
    const int roomRight = screen.right() - anchor.right();
    const int roomLeft = anchor.left() - screen.left();
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

}  // namespace tinsori
