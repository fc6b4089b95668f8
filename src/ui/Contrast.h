#pragma once

#include <QColor>

namespace tinsori {

// The contrast ratio of two opaque colours as the web's accessibility guidelines define it, from
// 1 (the same) to 21 (black on white). Text wants 4.5, a picture's strokes 3.
double ContrastRatio(const QColor& a, const QColor& b);

// `colour` moved toward `toward` just far enough to reach `ratio` against `background` (all of
// the way when even that falls short): keeps a colour's hue where the palette allows it.
QColor Readable(const QColor& colour, const QColor& toward, const QColor& background, double ratio);

// `t` of the way from `a` to `b`.
QColor Mixed(const QColor& a, const QColor& b, double t);

}  // namespace tinsori
