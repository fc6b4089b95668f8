#pragma once

#include <map>
#include <vector>

#include "engine/SimulationThread.h"
#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/RecordingPort.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Random.h"
#include "music/ChimeNoteSet.h"
#include "music/ScaleTable.h"
#include "platform/VirtualTimeline.h"

namespace tinsori {

// The simulation thread on the virtual timeline, playing into a recorder: minutes of music in
// milliseconds, the same every run.
struct SimulationRig {
    Random uiRandom;
    ChimeSettings settings{uiRandom};
    ScaleTable scales;
    VirtualTimeline timeline;
    RecordingPort port{timeline};
    MidiHandle handle;
    MidiOut midi{settings, handle, timeline};
    ModelValues shared;
    SimulationThread sim{SimulationSettings(settings), scales, midi, timeline, timeline, shared};
    bool running = false;

    SimulationRig() {
        scales.LoadBuiltIns();
        ComputeChimeNotes(settings, scales);
        handle.open(port.borrow());
    }
    ~SimulationRig() { stop(); }

    void setChimes(int n) {
        settings.numChimes = n;
        ComputeChimeNotes(settings, scales);
    }
    void start() {
        running = true;
        timeline.startThread([this] { sim.TinsoriThread(); });
    }
    void runUntil(uint32_t tick) { timeline.runUntil(tick, 0, {}); }
    // Stops as the dialog does: the flag, then a signal; true when the thread has ended.
    bool stop() {
        if (!running) return true;
        running = false;
        settings.stopThread = 1;
        timeline.signal();
        return timeline.joinThread(200000);
    }

    std::vector<RecordedMessage> noteOnsFrom(uint32_t tick) const {
        std::vector<RecordedMessage> out;
        for (const auto& m : port.messages())
            if (m.isNoteOn() && m.tick >= tick) out.push_back(m);
        return out;
    }
    // The simulation's strikes: note-ons after the opening run and the settling wait.
    std::vector<RecordedMessage> strikeNotes() const { return noteOnsFrom(firstStepTick()); }
    uint32_t firstStepTick() const {
        uint32_t last = 0;
        for (const auto& m : port.messages())
            if (m.kind() == 0xC0) last = m.tick;
        return last + 1122;
    }
    // Note-ons grouped by the tick they sounded at.
    std::map<uint32_t, std::vector<RecordedMessage>> strikesByTick() const {
        std::map<uint32_t, std::vector<RecordedMessage>> out;
        for (const auto& m : strikeNotes()) out[m.tick].push_back(m);
        return out;
    }
    int chimeOfNote(int note) const {
        for (int k = 0; k < settings.chimeCount(); ++k)
            if (settings.chimeNotes[k] == note) return k;
        return -1;
    }
};

}  // namespace tinsori
