#include "ui/PauseBlinkTimer.h"

#include <QAbstractButton>

#include "player/Player.h"

namespace tinsori {

PauseBlinkTimer::PauseBlinkTimer(Player& player, QAbstractButton& button, QObject* parent)
    : QObject(parent), player_(player), button_(button) {
    timer_.setInterval(PauseButtonText::kPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &PauseBlinkTimer::Tick);
}

void PauseBlinkTimer::Sync() {
    ShowText();
    if (!player_.blinkTimerRunning()) {
        timer_.stop();
    } else if (!timer_.isActive()) {
        timer_.start();
    }
}

void PauseBlinkTimer::Tick() {
    player_.OnBlinkTimer();
    ShowText();
}

void PauseBlinkTimer::ShowText() {
    button_.setText(QString::fromStdString(player_.pauseButtonText()));
    // Every change of name is announced: only a real change of state may cause one.
    const QString name = QString::fromStdString(player_.pauseButtonLabel());
    if (button_.accessibleName() != name) button_.setAccessibleName(name);
}

}  // namespace tinsori
