#pragma once

namespace tinsori {

// Where the window goes when the program starts minimized or the user minimizes it. Started
// minimized, the window shows briefly, then the one tick of the start timer (kPeriodMs after
// start-up) hides it and the program lives in the tray. Without a tray icon a hidden window could
// not be found again: it stays minimized on the taskbar instead.
class HideAtStart {
public:
    static constexpr int kPeriodMs = 100;

    // Only a program started minimized hides at its tick.
    explicit HideAtStart(bool startHidden = false) : startHidden_(startHidden) {}

    // The tick: true when the window is to be hidden now; later ticks never hide it again.
    bool OnTick(bool trayIconAdded) {
        const bool hide = startHidden_ && trayIconAdded;
        startHidden_ = false;
        return hide;
    }

    // Minimizing hides the window to the tray when the icon is there to bring it back.
    static bool MinimizeHides(bool trayIconAdded) { return trayIconAdded; }

private:
    bool startHidden_;
};

}  // namespace tinsori
