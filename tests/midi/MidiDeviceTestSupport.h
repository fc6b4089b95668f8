#pragma once

#include <memory>
#include <set>
#include <string>

#include "MidiTestSupport.h"
#include "midi/MidiDevice.h"
#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/RecordingPort.h"
#include "model/ChimeSettings.h"
#include "model/Random.h"
#include "store/ProfileStore.h"

namespace tinsori::test {

// Which stand-in process ids count as running.
struct FakeProcesses {
    std::set<long> alive;
    bool isAlive(const ProcessIdentity& id) const { return alive.count(id.pid) != 0; }
};

// One running copy of the program: its own store connection, settings, handle and output.
struct FakeCopy {
    FakeCopy(const std::string& profile, long pid, FakeProcesses* processes, int wantedChannel = 0)
        : store(ProfileStore::Open(profile)),
          settings(random),
          out(settings, handle, wake),
          device{settings, *store, handle, out, [this](std::string* error) {
                     if (failOpen) {
                         *error = "busy";
                         return std::unique_ptr<MidiPort>();
                     }
                     return recorder.borrow();
                 }} {
        settings.channel = wantedChannel;
        if (processes) {
            device.self = {pid, 1000 + static_cast<uint64_t>(pid)};
            processes->alive.insert(pid);
            device.isAlive = [processes](const ProcessIdentity& id) {
                return processes->isAlive(id);
            };
        }
    }

    Random random;
    std::unique_ptr<ProfileStore> store;
    ChimeSettings settings;
    MidiHandle handle;
    StepWakeEvent wake;
    MidiOut out;
    RecordingPort recorder;
    bool failOpen = false;
    MidiDeviceContext device;
};

}  // namespace tinsori::test
