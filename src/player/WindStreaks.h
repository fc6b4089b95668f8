#pragma once

#include <array>
#include <cstdint>

namespace tinsori {

// Streaks drifting across the live view with the wind: more, longer and faster as it rises.
// Positions are shares of the drawing area (0..1), so the view can be resized at any time.
class WindStreaks {
public:
    static constexpr int kCount = 24;
    struct Streak {
        double x = 0, y = 0;  // the head; the tail trails to the left
        double length = 0;
        double speed = 0;  // this streak's share of the wind's speed
    };

    WindStreaks();
    // Moves every streak on by `elapsedMs` of wind `wind` (in the slider's positions).
    void Advance(uint32_t elapsedMs, double wind);
    // How many of the streaks show at this wind; the first ones always.
    static int Visible(double wind);
    const Streak& at(int i) const { return streaks_[i]; }

private:
    std::array<Streak, kCount> streaks_{};
};

}  // namespace tinsori
