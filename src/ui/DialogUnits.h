#pragma once

#include <QFont>
#include <QRect>

namespace tinsori {

// Dialog units of a font: a horizontal unit is a quarter of the average width of the letters
// A-Z a-z, a vertical unit an eighth of the font's height, so a template keeps its proportions
// in whatever font the desktop gives it.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }
    int toX(int units) const { return Scale(units, baseX_, 4); }
    int toY(int units) const { return Scale(units, baseY_, 8); }
    QRect toRect(int x, int y, int width, int height) const;

    // The smallest horizontal base unit that gives `units` dialog units at least `pixels`;
    // widens this one to it when it is wider. Another font may set text wider than its average
    // letter suggests, and a label must not be cut off.
    void WidenToFit(int pixels, int units);

private:
    // a x b / c rounded to nearest, as the window system converts dialog units.
    static int Scale(int a, int b, int c) { return (a * b + c / 2) / c; }

    int baseX_;
    int baseY_;
};

}  // namespace tinsori
