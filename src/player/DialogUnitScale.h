#pragma once

namespace tinsori {

// Dialog units of a font: a horizontal unit is a quarter of the average width of the letters
// A-Z a-z, a vertical unit an eighth of the font's height, so a template keeps its proportions
// in whatever font the desktop gives it. The front end measures the font; this does the rest.
class DialogUnitScale {
public:
    // The letters whose average width makes the horizontal unit.
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

    // `lettersWidth`: kLetters set in the font, in pixels; `height`: the font's line height.
    DialogUnitScale(int lettersWidth, int height);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }
    int toX(int units) const { return Scale(units, baseX_, 4); }
    int toY(int units) const { return Scale(units, baseY_, 8); }

    // Widens the horizontal base unit, when needed, to the smallest that gives `units` dialog
    // units at least `pixels`. Another font may set text wider than its average letter suggests,
    // and a label must not be cut off.
    void WidenToFit(int pixels, int units);

private:
    // a x b / c rounded to nearest, as the window system converts dialog units.
    static int Scale(int a, int b, int c) { return (a * b + c / 2) / c; }

    int baseX_;
    int baseY_;
};

}  // namespace tinsori
