#pragma once

#include <QObject>
#include <QTimer>

#include "player/CursorBlink.h"

namespace tinsori {

// Runs the player's CursorBlink on Qt: its timeout on a timer, the user's actions from the
// application's events, its period on the desktop's cursors.
class CursorBlinkTimeout : public QObject {
public:
    static constexpr int kBlinkingMs = CursorBlink::kBlinkingMs;

    explicit CursorBlinkTimeout(QObject* parent, int blinkingMs = kBlinkingMs);
    ~CursorBlinkTimeout() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply() const;

    CursorBlink blink_;
    QTimer timeout_;
};

}  // namespace tinsori
