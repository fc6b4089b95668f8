#pragma once

namespace tinsori {

// The 100 ms start timer of a program started minimized: the window shows briefly, then its one
// tick hides it, and the program lives in the tray (or minimized, without one).
class StartHideTimer {
public:
    static constexpr int kTimerId = 100;
    static constexpr int kPeriodMs = 100;

    // The timer runs only for a program started minimized.
    explicit StartHideTimer(bool startHidden) : startHidden_(startHidden), running_(startHidden) {}

    bool running() const { return running_; }
    // The tick: true when the window is to be hidden now. The timer stops either way, so the
    // window is hidden at most once.
    bool OnTick() {
        running_ = false;
        const bool hide = startHidden_;
        startHidden_ = false;
        return hide;
    }

private:
    bool startHidden_;
    bool running_;
};

}  // namespace tinsori
