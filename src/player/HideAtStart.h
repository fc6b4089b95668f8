#pragma once

namespace tinsori {

// What the one tick of a program started minimized does: the window shows briefly, then the
// tick hides it and the program lives in the tray (or minimized, without one). The window's
// timer delivers the tick after kPeriodMs.
class HideAtStart {
public:
    static constexpr int kPeriodMs = 100;

    // Only a program started minimized hides at its tick.
    explicit HideAtStart(bool startHidden) : startHidden_(startHidden) {}

    // The tick: true when the window is to be hidden now; later ticks never hide it again.
    bool OnTick() {
        const bool hide = startHidden_;
        startHidden_ = false;
        return hide;
    }

private:
    bool startHidden_;
};

}  // namespace tinsori
