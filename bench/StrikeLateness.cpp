// Real-time lateness of strikes on the live clock: a storm in configuration 2 over 40 chimes,
// each strike's first message timestamped with the steady clock against the tick it was due at.
// Usage: bench_StrikeLateness [seconds]   (default 30)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
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

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
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
    SimulationThread sim(settings, scales, midi, clock, timebase.wakeEvent(), shared);
    observed = &sim;

    timebase.startThread([&] { sim.TinsoriThread(); });
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
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
    std::printf("strikes %zu in %d s; lateness us: min %lld p50 %lld p99 %lld max %lld; %s\n",
                lateness.size(), seconds, lateness.front(), at(0.5), at(0.99), lateness.back(),
                timebase.priorityGrant().describe().c_str());
    return 0;
}
