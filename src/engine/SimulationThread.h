#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "engine/ChimeSelector.h"
#include "engine/LivePublisher.h"
#include "engine/PendingStrikes.h"
#include "engine/Pendulum.h"
#include "engine/WaitPlanner.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Pink.h"
#include "model/Random.h"
#include "music/ScaleTable.h"
#include "platform/TickClock.h"
#include "platform/WakeEvent.h"

namespace tinsori {

class MidiOut;

// The simulation thread's body: plans each wait from the wind and the configuration, lets the
// selector choose the chime, waits on the wake event as its strike timer and sounds the strikes.
// The owner runs `TinsoriThread` on its thread and stops it with `stopThread` and a signal.
//
// Timing: "wait D ms" means "strike D ms after the previous strike was due" (or after the wake
// or start that began the plan). Each wait runs to a deadline on the tick clock, so the time
// spent computing and sending is absorbed instead of adding up; on the virtual timeline
// computing takes no time and the two readings agree.
class SimulationThread {
public:
    SimulationThread(SimulationSettings settings, const ScaleTable& scales, const MidiOut& midi,
                     TickClock& clock, WakeEvent& wakeEvent, ModelValues& shared);
    SimulationThread(const SimulationThread&) = delete;
    SimulationThread& operator=(const SimulationThread&) = delete;

    // Runs until `stopThread` is seen at the end of a step (or after the settling wait).
    void TinsoriThread();

    // Timed-out waits so far (each sounds its pending strikes when a device is open).
    uint32_t strikes() const { return strikes_.load(std::memory_order_relaxed); }
    int lastVelocity() const { return lastVelocity_.load(std::memory_order_relaxed); }
    // The wind the model used for the latest plan (same scale as `windNow`).
    double effectiveWind() const { return effectiveWind_.load(std::memory_order_relaxed); }
    // Tick at which the latest strike was due.
    uint32_t plannedTick() const { return plannedTick_.load(std::memory_order_relaxed); }
    // What the thread publishes for one watching thread (the live view).
    LivePublisher& live() { return live_; }

private:
    // The thread's model, built at thread start so that its generators draw in start order.
    struct Model {
        Model(Random& random, SimulationSettings settings, const ScaleTable& scales,
              ModelValues& shared)
            : placePink(random),
              planner(random, settings.shared, shared),
              selector(random, settings, scales, shared, placePink),
              pendulum(random, settings.shared, shared) {}
        CPink placePink;
        WaitPlanner planner;
        ChimeSelector selector;
        Pendulum pendulum;
    };

    void Start();
    void Step();
    // Returns the wait after the beat grid and the short-wait queue; 0 when nothing is waited.
    uint32_t QueueOrWait(uint32_t wait, int velocity);
    bool WaitUntil(uint32_t wait);
    void Strike(int velocity);
    void SoundPending();

    SimulationSettings view_;
    const SharedChimeSettings& settings_;
    const ScaleTable& scales_;
    const MidiOut& midi_;
    TickClock& clock_;
    WakeEvent& wakeEvent_;
    ModelValues& shared_;

    Random random_;
    std::optional<Model> model_;
    PendingStrikes pending_;
    int currentChime_ = 0;
    bool selectPending_ = false;
    uint32_t planOrigin_ = 0;
    uint32_t beat_ = 0;
    LivePublisher live_;

    std::atomic<uint32_t> strikes_{0};
    std::atomic<int> lastVelocity_{20};
    std::atomic<double> effectiveWind_{0.0};
    std::atomic<uint32_t> plannedTick_{0};
};

}  // namespace tinsori
