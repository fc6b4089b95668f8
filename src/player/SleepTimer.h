#pragma once

#include <cstdint>

namespace tinsori {

// The sleep timer: a countdown on the player's tick clock whose last stretch fades the music
// out. Ticks are 32-bit and compared as elapsed unsigned differences, so a wrap of the clock
// changes nothing.
class SleepTimer {
public:
    // The fade of the live sleep timer.
    static constexpr uint32_t kFadeMs = 60000;

    // Starts (or restarts) at `now`, ending `lengthMs` later; the fade covers the last `fadeMs`,
    // or the whole length when that is shorter.
    void Start(uint32_t now, uint32_t lengthMs, uint32_t fadeMs = kFadeMs);
    void Stop() { running_ = false; }

    bool running() const { return running_; }
    uint32_t lengthMs() const { return length_; }
    // 0 once ended or when not running.
    uint32_t remainingMs(uint32_t now) const;
    // 0 before the fade begins, rising evenly with time to 1 at the end.
    double fadeProgress(uint32_t now) const;
    bool ended(uint32_t now) const { return running_ && now - start_ >= length_; }

private:
    bool running_ = false;
    uint32_t start_ = 0;
    uint32_t length_ = 0;
    uint32_t fade_ = 0;
};

}  // namespace tinsori
