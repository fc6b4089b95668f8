#pragma once

#include <QRect>

class QWidget;

namespace tinsori {

// Where a window of `size` (its frame included) goes beside the frame `anchor` so that all of it
// lies on `screen` (the screen's available area): right of the anchor when it fits there, else
// left of it, else against the screen edge on the roomier side, over part of the anchor. Its top
// follows the anchor's as far as the screen allows; a window larger than the screen is cut to it.
// A window that may be as narrow as `narrowest` is narrowed to fit beside the anchor rather
// than cover it.
QRect PlaceBesideOnScreen(const QRect& anchor, QSize size, const QRect& screen, int narrowest = 0);

// Moves `window`, not yet shown, beside `beside` on its screen that way (narrowed down to its
// minimum width), so that it does not hide the buttons of the window it was opened from.
void PlaceBeside(QWidget& window, const QWidget& beside);

}  // namespace tinsori
