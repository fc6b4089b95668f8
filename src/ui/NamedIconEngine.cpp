#include "ui/NamedIconEngine.h"

#include <utility>

namespace tinsori {

NamedIconEngine::NamedIconEngine(QString name, QIcon drawn)
    : name_(std::move(name)), drawn_(std::move(drawn)) {}

void NamedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state) {
    drawn_.paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize NamedIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return drawn_.actualSize(size, mode, state);
}

QPixmap NamedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return drawn_.pixmap(size, mode, state);
}

QPixmap NamedIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                      qreal scale) {
    return drawn_.pixmap(size, scale, mode, state);
}

QList<QSize> NamedIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
    return drawn_.availableSizes(mode, state);
}

}  // namespace tinsori
