#include "ui/Pictures.h"

#include <QFile>

#include "ui/NamedIconEngine.h"

namespace tinsori {

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kHandHotX = 5;
constexpr int kHandHotY = 0;

}  // namespace

QPixmap LoadPicture(const QString& name, qreal devicePixelRatio) {
    const QString base = QStringLiteral(":/pictures/") + name;
    if (devicePixelRatio > 1.0) {
        QPixmap sharp(base + QStringLiteral("@2x.png"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(base + QStringLiteral(".png"));
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : kIconSizes) {
        const QString path = QStringLiteral(":/icons/tinsori-%1.png").arg(size);
        if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
    }
    return QIcon(new NamedIconEngine(QString::fromLatin1(kApplicationId), icon));
}

QCursor HandCursor() {
    const QPixmap hand(QStringLiteral(":/cursors/hand.png"));
    if (hand.isNull()) return QCursor(Qt::PointingHandCursor);
    return QCursor(hand, kHandHotX, kHandHotY);
}

}  // namespace tinsori
