#include "engine/SimulationThread.h"

#include "engine/LiveReads.h"
#include "midi/MidiOut.h"

namespace tinsori {

namespace {
// Waits shorter than this are not waited for: the strike sounds with the next one.
constexpr uint32_t kShortWait = 20;
// The pending list keeps room for the strike that ends the next wait.
constexpr int kQueueLimit = 9;
// A strike this late (a stalled or suspended machine) plans the next wait from now instead of
// rushing through every missed deadline.
constexpr int32_t kResyncLateness = 250;
constexpr uint32_t kSettlingWait = 1122;
}  // namespace

SimulationThread::SimulationThread(SimulationSettings settings, const ScaleTable& scales,
                                   const MidiOut& midi, TickClock& clock, WakeEvent& wakeEvent,
                                   ModelValues& shared)
    : view_(settings),
      settings_(settings.shared),
      scales_(scales),
      midi_(midi),
      clock_(clock),
      wakeEvent_(wakeEvent),
      shared_(shared) {}

void SimulationThread::TinsoriThread() {
    Start();
    while (!FlagSet(settings_.stopThread)) Step();
}

void SimulationThread::Start() {
    // The thread's generator is never seeded: every run draws the same stream from state 1.
    random_.seed(1);
    pending_.clear();
    uint32_t startTick = clock_.now();
    // 1. The 115 generators draw once each as they are built, in a fixed order.
    model_.emplace(random_, view_, scales_, shared_);
    Model& m = *model_;
    m.pendulum.StartClock(startTick);
    // 2. The pendulum: periods, phases, position, drives and angle.
    m.pendulum.Start(clock_.now());
    // 3. The placement and interval generators take their ranges.
    m.placePink.SetRange(-180, 1180, 250);
    m.planner.Start();
    // 4. Selection tables: nearness, susceptibility, chord weights.
    m.selector.Start();
    // 5. Opening run (not after a "Settings" command line), program and volume, settling wait.
    if (!FlagSet(settings_.startedWithSettings)) midi_.PlayChimeSet(81, 35);
    midi_.SendProgramAndVolume();
    wakeEvent_.wait(kSettlingWait);
    planOrigin_ = clock_.now();
    // 6. The first step chooses a chime.
    selectPending_ = true;
}

void SimulationThread::Step() {
    Model& m = *model_;
    effectiveWind_.store(m.pendulum.effectiveWind(), std::memory_order_relaxed);
    double v = m.pendulum.effectiveWind() / 1000;
    uint32_t wait = m.planner.PlanWait(v, m.pendulum);
    if (selectPending_) {
        currentChime_ =
            m.selector.ChooseChime(wait, m.pendulum.pendulumX(), m.pendulum.pendulumY());
    }
    int velocity = m.planner.DrawVelocity(v);
    lastVelocity_.store(velocity, std::memory_order_relaxed);
    wait = QueueOrWait(wait, velocity);
    selectPending_ = false;
    if (wait != 0) {
        live_.Publish(m.pendulum.swing(), m.pendulum.effectiveWind(), planOrigin_, beat_);
        if (WaitUntil(wait)) {
            Strike(velocity);
        } else {
            // A wake: the wind takes effect at once and the same chime is planned again.
            wakeEvent_.reset();
            m.pendulum.RefreshWind();
        }
    }
    if (FlagSet(settings_.fractal) && selectPending_) m.selector.StirSusceptibility();
}

uint32_t SimulationThread::QueueOrWait(uint32_t wait, int velocity) {
    beat_ = 0;
    if (ConfigurationNow(settings_) & kQuantized) {
        const uint32_t beat = WaitPlanner::DrawBeat(random_);
        beat_ = beat;
        wait -= wait % beat;
        if (wait == 0) {
            // With the queue full, planning again at the same instant would find 0 again and
            // again (many chimes in a storm): the thread would spin and never strike. Waiting
            // one beat sounds the queue then, together with this strike.
            if (pending_.size() >= kQueueLimit) return beat;
            pending_.append(currentChime_, velocity);
        }
    }
    // A strike queued by the grid is queued a second time here while there is room.
    if (wait < kShortWait && pending_.size() < kQueueLimit) {
        pending_.append(currentChime_, velocity);
        wait = 0;
    }
    return wait;
}

bool SimulationThread::WaitUntil(uint32_t wait) {
    uint32_t deadline = planOrigin_ + wait;
    auto remaining = static_cast<int32_t>(deadline - clock_.now());
    WaitResult result = wakeEvent_.wait(remaining > 0 ? static_cast<uint32_t>(remaining) : 0);
    uint32_t now = clock_.now();
    if (result == WaitResult::Signalled) {
        planOrigin_ = now;
        return false;
    }
    plannedTick_.store(deadline, std::memory_order_relaxed);
    planOrigin_ = static_cast<int32_t>(now - deadline) > kResyncLateness ? now : deadline;
    return true;
}

void SimulationThread::Strike(int velocity) {
    Model& m = *model_;
    pending_.append(currentChime_, velocity);
    selectPending_ = true;
    strikes_.fetch_add(1, std::memory_order_relaxed);
    if (midi_.handle().isOpen()) {
        SoundPending();
        if (ConfigurationNow(settings_) == kChimesOnly) {
            int knocked = m.selector.KnockNeighbour(currentChime_, velocity, midi_);
            if (knocked >= 0) live_.RecordStrike(plannedTick(), knocked, velocity);
        }
    }
    m.pendulum.MoveSwing(clock_.now());
    pending_.clear();
}

void SimulationThread::SoundPending() {
    ChimeSelector& selector = model_->selector;
    for (const auto& strike : pending_) {
        int chime = ClampInt(strike.chime, 0, kChimeSlots - 1);
        int note = settings_.chimeNotes[chime].load(std::memory_order_relaxed);
        // The note range is tested before the chord draws, so an empty slot draws nothing.
        if (note > kHighestNote || note < kLowestNote) continue;
        if (FlagSet(settings_.chords) && !selector.ChordAllows(chime)) continue;
        midi_.StrikeNote(note, strike.velocity);
        live_.RecordStrike(plannedTick(), chime, strike.velocity);
    }
}

}  // namespace tinsori
