#pragma once

namespace tinsori {

// The three model values that outlive a run of the simulation thread. Only the thread writes
// them; the owner (the player) keeps one instance for the whole process, so a thread started
// again begins from the values the previous run left.
struct ModelValues {
    double swingPeriod = 3.0;  // pendulum period in seconds, length / 1000 once the thread runs
    double periodJitter = 0.09;
    double proximityExponent = 1.0;  // 1.0 until the first strike
};

}  // namespace tinsori
