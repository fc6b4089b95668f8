#pragma once

#include <string>

namespace tinsori {

// The Pause button's text over time, without a timer of its own (the window's PauseBlinkTimer
// ticks it). Playing, it reads "Pause"; paused, it reads "Continue" at once and each 350 ms tick
// then shows "Continue" for two ticks and nothing for the third. The phase lives as long as the
// program: a later pause goes on from where the last one stopped.
class PauseButtonText {
public:
    static constexpr int kPeriodMs = 350;

    PauseButtonText() { SetPaused(false); }

    // Pause or Continue took effect.
    void SetPaused(bool paused);
    // A tick of the blink timer; nothing while playing, when the timer is stopped.
    void OnTick();

    const std::string& text() const { return text_; }
    // What the button stands for, steady while its text blinks: screen readers name it by this.
    std::string label() const;
    bool timerRunning() const { return paused_; }

private:
    bool paused_ = false;
    int phase_ = 0;
    std::string text_;
};

}  // namespace tinsori
