#pragma once

#include <string>

namespace tinsori {

// The Pause button's text over time, without a timer of its own (the front end's blink timer
// ticks it). Playing, it reads "Pause"; paused, it reads "Continue" at once and each 350 ms tick
// then shows "Continue" for two ticks and nothing for the third. The phase lives as long as the
// program: a later pause goes on from where the last one stopped. The timer runs only while
// paused and the button can be seen: a window hidden in the tray would wake for nothing.
class PauseButtonText {
public:
    static constexpr int kPeriodMs = 350;

    PauseButtonText() { SetPaused(false); }

    // Pause or Continue took effect.
    void SetPaused(bool paused);
    // The window showing the button was shown or hidden.
    void SetSeen(bool seen) { seen_ = seen; }
    // A tick of the blink timer; nothing while playing, when the timer is stopped.
    void OnTick();

    const std::string& text() const { return text_; }
    // What the button stands for, steady while its text blinks: screen readers name it by this.
    std::string label() const;
    bool timerRunning() const { return paused_ && seen_; }

private:
    bool paused_ = false;
    bool seen_ = true;
    int phase_ = 0;
    std::string text_;
};

}  // namespace tinsori
