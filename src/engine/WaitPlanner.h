#pragma once

#include <cstdint>

#include "engine/Pendulum.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Pink.h"
#include "model/Random.h"

namespace tinsori {

// Plans the wait until the next strike and the strike's velocity from the wind, the pendulum and
// the configuration. Owns the generator that scales the waits and the burst state.
class WaitPlanner {
public:
    // Constructing draws once (the generator's default range), in the thread's start order.
    WaitPlanner(Random& random, const SharedChimeSettings& settings, const ModelValues& shared)
        : random_(random), settings_(settings), shared_(shared), intervalPink_(random) {}

    void Start() { intervalPink_.SetRange(0, 15000, 80); }

    // The planned wait in milliseconds; v is the effective wind / 1000.
    uint32_t PlanWait(double v, const Pendulum& pendulum);
    // A velocity 0..126 that grows with v; remembered for the next burst.
    int DrawVelocity(double v);
    // Draws the beat of the grid: 512, 256, 128 or 64 ms.
    static uint32_t DrawBeat(Random& random);
    // Rounds a wait down to a beat drawn at random.
    static uint32_t SnapToBeat(uint32_t wait, Random& random) {
        return wait - wait % DrawBeat(random);
    }

    double burstFactor() const { return burstFactor_; }
    int lastVelocity() const { return lastVelocity_; }

private:
    void Burst(const Pendulum& pendulum);
    uint32_t ShortestCandidate(double base, int cfg);
    uint32_t Cap(uint32_t wait, const Pendulum& pendulum, int cfg);
    uint32_t TimeToTurningPoint(uint32_t wait, const Pendulum& pendulum);

    Random& random_;
    const SharedChimeSettings& settings_;
    const ModelValues& shared_;
    CPink intervalPink_;
    double burstFactor_ = 1.0;
    int lastVelocity_ = 20;
};

}  // namespace tinsori
