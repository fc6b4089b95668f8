#include "ui/LiveViewWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <cmath>

#include "engine/LiveReads.h"
#include "ui/LiveViewPainter.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

constexpr double kMostFramesPerSecond = 30;
// Paused, the picture stands still; it is only redrawn to follow settings changed meanwhile.
constexpr int kPausedIntervalMs = 500;
constexpr int kCaptionIntervalMs = 1000;
// A jump larger than this (the view was hidden, the machine slept) moves the streaks only this far.
constexpr uint32_t kLongestStepMs = 100;
// Pixels round a tube that still count as pressing it.
constexpr double kPressSlop = 4;
constexpr int kCopyBand = 64;

}  // namespace

LiveViewWindow::LiveViewWindow(Player& player) : QWidget(nullptr, Qt::Window), player_(player) {
    setWindowTitle(UiText(QT_TRANSLATE_NOOP("Tinsori", "Tinsori Live View")));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 260);
    resize(520, 580);
    connect(&timer_, &QTimer::timeout, this, &LiveViewWindow::Refresh);
}

void LiveViewWindow::Refresh() {
    Advance();
    update();
    UpdateTimer();
}

void LiveViewWindow::Advance() {
    const ChimeSettings& settings = player_.settings();
    if (!player_.paused()) {
        const uint32_t now = player_.tick();
        const uint32_t elapsed = std::min(now - now_, kLongestStepMs);
        now_ = now;
        if (const LiveSnapshot* latest = player_.liveSnapshot()) snapshot_ = *latest;
        for (int k = 0; k < kMaxChimes; ++k)
            energy_[k] = settings.chimeEnergy[k].load(std::memory_order_relaxed);
        streaks_.Advance(elapsed, snapshot_.effectiveWind);
    }
    std::array<int, kChimeSlots> notes{};
    for (int k = 0; k < kChimeSlots; ++k)
        notes[k] = settings.chimeNotes[k].load(std::memory_order_relaxed);
    ring_ = LayOutRing(notes, settings.chimeCount());
    // Looking the favorite up reads the profile: once a second is enough to follow it.
    if (!captionClock_.isValid() || captionClock_.elapsed() >= kCaptionIntervalMs) {
        caption_ = player_.LiveCaption();
        captionClock_.start();
    }
}

void LiveViewWindow::UpdateTimer() {
    const bool seen = isVisible() && !(windowState() & Qt::WindowMinimized);
    if (!seen) {
        timer_.stop();
        return;
    }
    int interval = kPausedIntervalMs;
    if (!player_.paused()) {
        const double rate = screen() ? screen()->refreshRate() : kMostFramesPerSecond;
        interval = static_cast<int>(std::ceil(1000 / std::clamp(rate, 1.0, kMostFramesPerSecond)));
    }
    if (timer_.isActive() && timer_.interval() == interval) return;
    timer_.start(interval);
}

void LiveViewWindow::paintEvent(QPaintEvent*) {
    const ChimeSettings& settings = player_.settings();
    const LiveScene scene{rect(),
                          frame(),
                          ring_,
                          snapshot_,
                          player_.handStrikes(),
                          energy_,
                          streaks_,
                          caption_,
                          now_,
                          ConfigurationNow(settings),
                          settings.windNow.load(std::memory_order_relaxed),
                          player_.paused()};
    PaintFrame(scene);
    // Copied to the screen in bands, for the reason the painter fills in bands.
    QPainter painter(this);
    const double ratio = frameImage_.devicePixelRatio();
    for (int y = 0; y < frameImage_.height(); y += kCopyBand) {
        const int rows = std::min(kCopyBand, frameImage_.height() - y);
        painter.drawImage(QRectF(0, y / ratio, width(), rows / ratio), frameImage_,
                          QRectF(0, y, frameImage_.width(), rows));
    }
}

// Qt's raster engine splits any fill of more than about 96 spans (an antialiased tube is one)
// across its global thread pool and waits for it, unless it already runs on a thread of that
// pool. Painting the frame on one of the pool's threads keeps each fill on a single thread:
// one hand-over per frame instead of dozens.
void LiveViewWindow::PaintFrame(const LiveScene& scene) {
    const double ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (frameImage_.size() != pixels) frameImage_ = QImage(pixels, QImage::Format_RGB32);
    frameImage_.setDevicePixelRatio(ratio);
    const QPalette colours = palette();
    const QFont font = this->font();
    QSemaphore painted;
    QThreadPool::globalInstance()->start([&] {
        QPainter painter(&frameImage_);
        painter.setFont(font);
        PaintLiveScene(painter, colours, scene);
        painter.end();
        painted.release();
    });
    painted.acquire();
}

void LiveViewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void LiveViewWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

void LiveViewWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) UpdateTimer();
}

void LiveViewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11) {
        setWindowState(windowState() ^ Qt::WindowFullScreen);
    } else if (event->key() == Qt::Key_Escape && isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void LiveViewWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) PointerAt(event->position());
}

void LiveViewWindow::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) PointerAt(event->position());
}

void LiveViewWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) player_.OnViewPointer(-1, 0);
}

ViewFrame LiveViewWindow::frame() const {
    return ViewFrame::Fit(width(), height(), kCaptionBand, kGaugeBand, kLabelMargin);
}

void LiveViewWindow::PointerAt(QPointF at) {
    const ChimeHit hit = HitChime(ring_, frame(), {at.x(), at.y()}, kPressSlop);
    player_.OnViewPointer(hit.chime, hit.velocity);
    if (hit.hit()) update();
}

}  // namespace tinsori
