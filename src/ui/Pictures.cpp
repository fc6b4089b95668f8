#include "ui/Pictures.h"

#include <QFile>
#include <QPainter>
#include <QPalette>
#include <unordered_map>

#include "ui/Contrast.h"

#include "ui/NamedIconEngine.h"

namespace tinsori {

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kHandHotX = 5;
constexpr int kHandHotY = 0;
constexpr double kStrokeContrast = 3.0;

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

QPixmap ReadableOn(const QPixmap& picture, const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    if (picture.isNull() || window.lightnessF() >= 0.5) return picture;
    const QColor toward = palette.color(QPalette::WindowText);
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    // A handful of colours, each worked out once.
    std::unordered_map<QRgb, QRgb> lifted;
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0) continue;
            auto found = lifted.find(row[x]);
            if (found == lifted.end()) {
                QColor colour = QColor::fromRgba(row[x]);
                QColor readable = Readable(colour, toward, window, kStrokeContrast);
                readable.setAlpha(colour.alpha());
                found = lifted.emplace(row[x], readable.rgba()).first;
            }
            row[x] = found->second;
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    return result;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : kIconSizes) {
        const QString path = QStringLiteral(":/icons/tinsori-%1.png").arg(size);
        if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
    }
    return QIcon(new NamedIconEngine(QString::fromLatin1(kApplicationId), icon));
}

// Two bars on a dark disc in the lower right quarter, readable on light and dark panels. No theme
// name: a tray host would draw the installed (playing) icon instead.
QIcon PausedApplicationIcon() {
    QIcon icon;
    for (int size : kIconSizes) {
        QPixmap picture(QStringLiteral(":/icons/tinsori-%1.png").arg(size));
        if (picture.isNull()) continue;
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF badge(size * 0.45, size * 0.45, size * 0.55, size * 0.55);
        painter.setPen(QPen(Qt::white, std::max(1.0, size / 24.0)));
        painter.setBrush(QColor(0x20, 0x20, 0x20));
        painter.drawEllipse(badge);
        const double bar = badge.width() * 0.16, tall = badge.height() * 0.5;
        const QPointF centre = badge.center();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(centre.x() - 1.6 * bar, centre.y() - tall / 2, bar, tall));
        painter.drawRect(QRectF(centre.x() + 0.6 * bar, centre.y() - tall / 2, bar, tall));
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

QCursor HandCursor() {
    const QPixmap hand(QStringLiteral(":/cursors/hand.png"));
    if (hand.isNull()) return QCursor(Qt::PointingHandCursor);
    return QCursor(hand, kHandHotX, kHandHotY);
}

}  // namespace tinsori
