#include "ui/LiveViewWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>

#include "engine/LiveReads.h"
#include "player/LiveViewMotion.h"
#include "player/LiveViewPacing.h"
#include "player/LiveViewTexts.h"
#include "ui/LiveViewPainter.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

// Pixels round a tube that still count as pressing it.
constexpr double kPressSlop = 4;
constexpr int kCopyBand = 64;

}  // namespace

LiveViewWindow::LiveViewWindow(Player& player) : QWidget(nullptr, Qt::Window), player_(player) {
    setWindowTitle(UiText(QT_TRANSLATE_NOOP("Tinsori", "Tinsori Live View")));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Closed, it gives its frame and the window's pixels back; opening it again starts afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(240, 260);
    resize(static_cast<int>(kLiveViewWidth), static_cast<int>(kLiveViewHeight));
    connect(&timer_, &QTimer::timeout, this, &LiveViewWindow::Refresh);
}

double LiveViewWindow::growth() const {
    return ViewGrowth(width(), height());
}

void LiveViewWindow::Describe() {
    const double wind = ShownWind(snapshot_.effectiveWind,
                                  player_.settings().windNow.load(std::memory_order_relaxed));
    const QString text = QString::fromStdString(LiveViewDescription(caption_.favorite, wind));
    if (text != accessibleDescription()) setAccessibleDescription(text);
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
        const uint32_t elapsed = StreakStepMs(now - now_);
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
    if (!captionClock_.isValid() || captionClock_.elapsed() >= kLiveCaptionIntervalMs) {
        caption_ = player_.LiveCaption();
        captionClock_.start();
        Describe();
    }
}

void LiveViewWindow::UpdateTimer() {
    const bool seen = isVisible() && !(windowState() & Qt::WindowMinimized);
    if (!seen) {
        timer_.stop();
        return;
    }
    const int interval =
        FrameIntervalMs(player_.paused(), screen() ? screen()->refreshRate() : 0, DevicePixels());
    if (timer_.isActive() && timer_.interval() == interval) return;
    timer_.start(interval);
}

void LiveViewWindow::paintEvent(QPaintEvent*) {
    const ChimeSettings& settings = player_.settings();
    const LiveScene scene{QRectF(QPointF(0, 0), QSizeF(size()) / growth()),
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
    const double rowHeight = static_cast<double>(height()) / frameImage_.height();
    for (int y = 0; y < frameImage_.height(); y += kCopyBand) {
        const int rows = std::min(kCopyBand, frameImage_.height() - y);
        painter.drawImage(QRectF(0, y * rowHeight, width(), rows * rowHeight), frameImage_,
                          QRectF(0, y, frameImage_.width(), rows));
    }
}

// Qt's raster engine splits any fill of more than about 96 spans (an antialiased tube is one)
// across its global thread pool and waits for it, unless it already runs on a thread of that
// pool. Painting the frame on one of the pool's threads keeps each fill on a single thread:
// one hand-over per frame instead of dozens.
void LiveViewWindow::PaintFrame(const LiveScene& scene) {
    const double ratio = devicePixelRatioF();
    const double shrink = FrameShrink(DevicePixels());
    const QSize wanted = (QSizeF(size()) * (ratio / shrink)).toSize().expandedTo(QSize(1, 1));
    if (frameImage_.size() != wanted) frameImage_ = QImage(wanted, QImage::Format_RGB32);
    // The scene is laid out in the grown view's units; the image holds it at its own resolution.
    frameImage_.setDevicePixelRatio(ratio * growth() / shrink);
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

double LiveViewWindow::DevicePixels() const {
    const double ratio = devicePixelRatioF();
    return width() * ratio * height() * ratio;
}

void LiveViewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void LiveViewWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
    // Drawn afresh when shown again; a large view's frame is worth giving back meanwhile.
    frameImage_ = QImage();
}

void LiveViewWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) UpdateTimer();
}

void LiveViewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11) {
        setWindowState(windowState() ^ Qt::WindowFullScreen);
    } else if (event->matches(QKeySequence::Close)) {
        close();
    } else if (event->key() == Qt::Key_Escape) {
        // Escape leaves full screen first, then closes the view, as it closes the help.
        if (isFullScreen()) {
            setWindowState(windowState() & ~Qt::WindowFullScreen);
        } else {
            close();
        }
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
    return ViewFrame::Fit(width() / growth(), height() / growth(), kCaptionBand, kGaugeBand,
                          kLabelMargin);
}

void LiveViewWindow::PointerAt(QPointF at) {
    at /= growth();
    const ChimeHit hit = HitChime(ring_, frame(), {at.x(), at.y()}, kPressSlop);
    player_.OnViewPointer(hit.chime, hit.velocity);
    if (hit.hit()) update();
}

}  // namespace tinsori
