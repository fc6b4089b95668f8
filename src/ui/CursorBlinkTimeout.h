#pragma once

#include <QObject>
#include <QTimer>

namespace tinsori {

// Text cursors blink for a while after the user last typed, clicked or moved the focus, then stay
// lit, as on GTK desktops: a window left open for hours would otherwise repaint twice a second
// for a blink no one watches.
class CursorBlinkTimeout : public QObject {
public:
    static constexpr int kBlinkingMs = 10000;

    explicit CursorBlinkTimeout(QObject* parent, int blinkingMs = kBlinkingMs);
    ~CursorBlinkTimeout() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The desktop's blink period, given back when the user acts again.
    const int flashTime_;
    QTimer timeout_;
};

}  // namespace tinsori
