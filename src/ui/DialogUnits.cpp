#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

namespace tinsori {

namespace {

DialogUnitScale ScaleOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QString::fromLatin1(DialogUnitScale::kLetters)),
            metrics.height()};
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) : DialogUnitScale(ScaleOf(font)) {}

QRect DialogUnits::toRect(int x, int y, int width, int height) const {
    return {toX(x), toY(y), toX(width), toY(height)};
}

}  // namespace tinsori
