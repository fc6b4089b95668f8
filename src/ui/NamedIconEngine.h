#pragma once

#include <QIcon>
#include <QIconEngine>

namespace tinsori {

// An icon drawn from the program's own pictures that still gives the desktop its theme name:
// a tray host that knows the name draws the installed icon at its own size and tint, any other
// takes the pictures.
class NamedIconEngine : public QIconEngine {
public:
    NamedIconEngine(QString name, QIcon drawn);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override { return name_; }
    bool isNull() override { return drawn_.isNull(); }
    QString key() const override { return QStringLiteral("NamedIconEngine"); }
    QIconEngine* clone() const override { return new NamedIconEngine(*this); }

private:
    QString name_;
    QIcon drawn_;
};

}  // namespace tinsori
