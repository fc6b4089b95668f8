#pragma once

#include <QObject>
#include <QTimer>

class QAbstractButton;

namespace tinsori {

class Player;

// The Qt timer that blinks the Pause button: it runs while the player says so, and each tick shows
// the text the player gives.
class PauseBlinkTimer : public QObject {
public:
    PauseBlinkTimer(Player& player, QAbstractButton& button, QObject* parent = nullptr);

    // Pause or Continue took effect, or the window was shown or hidden: the text at once, the
    // timer started or stopped as the player says.
    void Sync();
    // One tick of the timer (the timer calls it; tests may too).
    void Tick();
    bool timerActive() const { return timer_.isActive(); }

private:
    void ShowText();

    Player& player_;
    QAbstractButton& button_;
    QTimer timer_;
};

}  // namespace tinsori
