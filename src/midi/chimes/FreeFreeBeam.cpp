#include "midi/chimes/FreeFreeBeam.h"

#include <array>
#include <cmath>
#include <numbers>

namespace tinsori {

namespace {

constexpr std::array<double, 5> kFirstConstants = {4.730041, 7.853205, 10.995608, 14.137165,
                                                   17.278760};

}  // namespace

double FreeFreeBeam::ModeConstant(int mode) {
    if (mode < 0) mode = 0;
    if (mode < static_cast<int>(kFirstConstants.size())) return kFirstConstants[mode];
    return (2 * mode + 3) * std::numbers::pi / 2;
}

double FreeFreeBeam::FrequencyRatio(int mode) {
    const double ratio = ModeConstant(mode) / kFirstConstants[0];
    return ratio * ratio;
}

double FreeFreeBeam::Shape(int mode, double position) {
    // phi(x) = cosh bx + cos bx - s (sinh bx + sin bx), s = (cosh b - cos b) / (sinh b - sin b).
    // Written with 1 - s, whose small value cosh and sinh would lose to cancellation for the
    // upper modes.
    const double b = ModeConstant(mode);
    const double x = std::fmin(1.0, std::fmax(0.0, position));
    const double oneMinusS =
        (std::cos(b) - std::sin(b) - std::exp(-b)) / (std::sinh(b) - std::sin(b));
    const double s = 1.0 - oneMinusS;
    const double growing = 0.5 * oneMinusS * std::exp(b * x);
    const double falling = 0.5 * (1.0 + s) * std::exp(-b * x);
    const double phi = growing + falling + std::cos(b * x) - s * std::sin(b * x);
    return phi / 2.0;  // phi is 2 at either end
}

}  // namespace tinsori
