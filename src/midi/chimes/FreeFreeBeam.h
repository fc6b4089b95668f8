#pragma once

namespace tinsori {

// A thin tube (or bar) free at both ends rings in bending modes. Mode 0 is the fundamental.
class FreeFreeBeam {
public:
    // Roots of cos(bL) cosh(bL) = 1 for the first five modes; above them (2n + 3) pi / 2 is
    // exact to six digits.
    static double ModeConstant(int mode);
    // The mode's frequency over the fundamental's: (b_n L / b_0 L) squared, as bending stiffness
    // makes frequency grow with the square of the wave number.
    static double FrequencyRatio(int mode);
    // The mode's displacement at `position` (0..1 along the tube) over its displacement at an
    // end, where every mode is largest: how strongly a strike there excites it. Signed.
    static double Shape(int mode, double position);
};

}  // namespace tinsori
