// Real-time lateness of strikes on the live clock: a storm in configuration 2 over 40 chimes,
// each strike's first message timestamped with the steady clock against the tick it was due at.
// Usage: bench_StrikeLateness [seconds] [--watch]   (default 30)
// --watch: a second thread reads the live view's snapshot 30 times a second and works out the
// picture's geometry, as the open view does, to show that watching does not move strikes.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/SimulationThread.h"
#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/MidiPort.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "music/ChimeNoteSet.h"
#include "music/ScaleTable.h"
#include "platform/LiveTimebase.h"
#include "player/ChimeLights.h"
#include "player/LiveViewGeometry.h"

using namespace tinsori;
using SteadyClock = std::chrono::steady_clock;

namespace {

// Records, for each strike, how long after its due tick the first message went out.
class LatenessPort : public MidiPort {
public:
    LatenessPort(const SteadyTickClock& clock, const SimulationThread*& sim)
        : clock_(clock), sim_(sim) {}
    void send(uint32_t) override {
        auto sent = SteadyClock::now();
        if (!sim_) return;
        uint32_t strikes = sim_->strikes();
        if (strikes == seenStrikes_) return;
        seenStrikes_ = strikes;
        auto due = clock_.origin() + std::chrono::milliseconds(sim_->plannedTick());
        std::lock_guard lock(mutex_);
        latenessUs_.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(sent - due).count());
    }
    std::string describe() const override { return "lateness"; }
    std::vector<long long> lateness() const {
        std::lock_guard lock(mutex_);
        return latenessUs_;
    }

private:
    const SteadyTickClock& clock_;
    const SimulationThread*& sim_;
    uint32_t seenStrikes_ = 0;
    mutable std::mutex mutex_;
    std::vector<long long> latenessUs_;
};

// What the live view does each frame with the snapshot, minus the drawing.
double WatchOnce(SimulationThread& sim, const ChimeSettings& settings, uint32_t now) {
    const LiveSnapshot& snapshot = sim.live().latest();
    std::array<int, kChimeSlots> notes{};
    for (int k = 0; k < kChimeSlots; ++k) notes[k] = settings.chimeNotes[k].load();
    const ChimeRing ring = LayOutRing(notes, settings.chimeCount());
    ChimeLights lights{};
    AddStrikeLights(snapshot.strikes, ring, now, lights);
    const ModelPoint bob = PendulumAt(snapshot.swing, now);
    return bob.x + lights[0].glow;
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const bool watch = argc > 2 && std::string(argv[2]) == "--watch";
    Random uiRandom;
    ChimeSettings settings(uiRandom);
    settings.windNow = 940;
    settings.numChimes = 40;
    settings.configuration = kAllIndependent;
    settings.startedWithSettings = 1;
    ScaleTable scales;
    scales.LoadBuiltIns();
    ComputeChimeNotes(settings, scales);

    LiveTimebase timebase;
    // The time base's own clock: its event ends waits on this clock's tick grid.
    auto& clock = static_cast<SteadyTickClock&>(timebase.clock());
    const SimulationThread* observed = nullptr;
    auto port = std::make_unique<LatenessPort>(clock, observed);
    LatenessPort& recorder = *port;
    MidiHandle handle;
    handle.open(std::move(port));
    MidiOut midi(settings, handle, timebase.wakeEvent());
    ModelValues shared;
    SimulationThread sim(SimulationSettings(settings), scales, midi, clock, timebase.wakeEvent(),
                         shared);
    observed = &sim;

    timebase.startThread([&] { sim.TinsoriThread(); });
    std::atomic<bool> watching{watch};
    std::thread watcher([&] {
        volatile double sink = 0;  // keeps the work from being optimised away
        while (watching) {
            sink = sink + WatchOnce(sim, settings, clock.now());
            std::this_thread::sleep_for(std::chrono::milliseconds(33));
        }
    });
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    watching = false;
    watcher.join();
    settings.stopThread = 1;
    timebase.wakeEvent().signal();
    timebase.joinThread(2000);

    auto lateness = recorder.lateness();
    if (lateness.empty()) {
        std::printf("no strikes\n");
        return 1;
    }
    std::sort(lateness.begin(), lateness.end());
    auto at = [&](double q) { return lateness[static_cast<size_t>(q * (lateness.size() - 1))]; };
    std::printf("strikes %zu in %d s; lateness us: min %lld p50 %lld p99 %lld max %lld; %s%s\n",
                lateness.size(), seconds, lateness.front(), at(0.5), at(0.99), lateness.back(),
                timebase.priorityGrant().describe().c_str(), watch ? "; watched" : "");
    return 0;
}
