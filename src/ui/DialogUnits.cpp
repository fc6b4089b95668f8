#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

namespace tinsori {

namespace {

constexpr int kLetters = 52;

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (width + kLetters / 2) / kLetters);
    baseY_ = std::max(1, metrics.height());
}

void DialogUnits::WidenToFit(int pixels, int units) {
    if (units <= 0) return;
    while (toX(units) < pixels) ++baseX_;
}

QRect DialogUnits::toRect(int x, int y, int width, int height) const {
    return {toX(x), toY(y), toX(width), toY(height)};
}

}  // namespace tinsori
