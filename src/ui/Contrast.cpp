#include "ui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tinsori {

namespace {

double Linear(float channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

constexpr int kSteps = 40;

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Mixed(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor Readable(const QColor& colour, const QColor& toward, const QColor& background,
                double ratio) {
    for (int step = 0; step < kSteps; ++step) {
        const QColor moved = Mixed(colour, toward, static_cast<double>(step) / kSteps);
        if (ContrastRatio(moved, background) >= ratio) return moved;
    }
    return toward;
}

}  // namespace tinsori
