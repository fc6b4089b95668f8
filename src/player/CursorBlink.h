#pragma once

namespace tinsori {

// Text cursors blink for a while after the user last typed, clicked or moved the focus, then stay
// lit, as on GTK desktops: a window left open for hours would otherwise repaint twice a second
// for a blink no one watches. The front end runs the timeout and applies `periodMs`.
class CursorBlink {
public:
    static constexpr int kBlinkingMs = 10000;

    // `desktopPeriodMs`: the desktop's own blink period, given back when the user acts again.
    explicit CursorBlink(int desktopPeriodMs) : desktopPeriodMs_(desktopPeriodMs) {}

    // The user acted: the cursor blinks again, and the timeout starts afresh.
    void OnUserAction() { blinking_ = true; }
    // kBlinkingMs passed without an action.
    void OnTimeout() { blinking_ = false; }
    // The blink period to apply: 0 keeps the cursor lit.
    int periodMs() const { return blinking_ ? desktopPeriodMs_ : 0; }
    int desktopPeriodMs() const { return desktopPeriodMs_; }

private:
    int desktopPeriodMs_;
    bool blinking_ = true;
};

}  // namespace tinsori
