#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>

#include "engine/LiveSnapshot.h"
#include "player/LiveViewGeometry.h"
#include "player/Player.h"
#include "player/WindStreaks.h"

namespace tinsori {

struct LiveScene;

// The live view: the chimes, the pendulum and the wind drawn as the model plays, in a window of
// its own. It draws from the simulation's snapshot and the live settings, so it follows every
// change wherever it is made. Its frame timer runs only while it can be seen and the music is
// not paused; paused, the picture stands still. A press or drag over a chime strikes it.
class LiveViewWindow : public QWidget {
public:
    explicit LiveViewWindow(Player& player);

    // The chime ring as last drawn, and where it is drawn in the view's units: this widget's
    // coordinates divided by `growth()` (for pressing a chime).
    const ChimeRing& ring() const { return ring_; }
    ViewFrame frame() const;
    // How much larger than at its opening size everything is drawn, words included: at least 1.
    double growth() const;
    bool frameTimerRunning() const { return timer_.isActive(); }
    // Brings the view up to date at once (a setting changed while paused, or a test).
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UpdateTimer();
    void Advance();
    void PointerAt(QPointF at);
    void PaintFrame(const LiveScene& scene);
    // What a screen reader says the view shows: the current favorite and the wind.
    void Describe();
    double DevicePixels() const;

    Player& player_;
    QTimer timer_;
    LiveSnapshot snapshot_;
    ChimeRing ring_;
    WindStreaks streaks_;
    std::array<double, kMaxChimes> energy_{};
    Player::Caption caption_;
    QElapsedTimer captionClock_;
    uint32_t now_ = 0;
    QImage frameImage_;
};

}  // namespace tinsori
