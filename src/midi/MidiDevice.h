#pragma once

#include <functional>
#include <memory>
#include <string>

#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/MidiPort.h"
#include "model/ChimeSettings.h"
#include "platform/ProcessIdentity.h"
#include "store/ProfileStore.h"

namespace tinsori {

// Opens this copy's own output: a fresh port, or null with the reason in `error`.
using MidiPortOpener = std::function<std::unique_ptr<MidiPort>(std::string* error)>;

// Everything the device and channel sharing touches. Running copies coordinate through the
// store's section "Current": "Midi Device" names a live holder by its process id, "NumOpenApps"
// counts the holders, "ChannelsInUse" has bit k set while a copy plays on channel k, and each
// holder keeps a record "Holder <pid>" = "<start time>,<channel>" so that the section can be
// rebuilt from the copies still alive when one vanished without closing.
struct MidiDeviceContext {
    ChimeSettings& settings;
    ProfileStore& store;
    MidiHandle& handle;
    const MidiOut& out;
    MidiPortOpener opener;
    // Who this copy is, and how to tell whether another holder still runs (tests stand in
    // several copies within one process).
    ProcessIdentity self = ProcessIdentity::Self();
    std::function<bool(const ProcessIdentity&)> isAlive = [](const ProcessIdentity& p) {
        return IsProcessAlive(p.pid, p.startTime);
    };
};

struct DeviceOpenResult {
    bool opened = false;   // false: no device, the copy plays silently but still counts
    int channel = 0;       // the channel to show selected (it may have moved)
    std::string error;     // why the device did not open
    bool recorded = true;  // false: the profile did not take this copy's device record
};

struct ChannelChangeResult {
    bool changed = false;  // false: the same channel, or another copy holds the one asked for
    int channel = 0;       // the channel to show selected (the old one on a snap-back)
    int volume = 0;        // the volume to show
    bool recorded = true;  // false: the profile did not take the new channel's record
};

// Takes this copy's place among the running copies, claims a free channel (moving upward from
// the wanted one at most 14 times), opens the output and sends program and volume.
DeviceOpenResult OpenMidiDevice(MidiDeviceContext& device);
// The same with `port` opened already, or still to come (null: the handle stays closed until
// `AttachMidiPort`).
DeviceOpenResult ClaimMidiDevice(MidiDeviceContext& device, std::unique_ptr<MidiPort> port);
// The port of a claimed device, opened later: it plays from now, with program and volume.
void AttachMidiPort(MidiDeviceContext& device, std::unique_ptr<MidiPort> port);

// Gives up this copy's channel and place; the last copy out clears the section. False when the
// profile did not take that.
bool CloseMidiDevice(MidiDeviceContext& device);

// The user picked channel `channel`: moves there unless another copy plays on it, carrying the
// per-channel volumes ("Midi", "Volume %d") along.
ChannelChangeResult ChangeMidiChannel(MidiDeviceContext& device, int channel);

// "Volume %d" of `channel` in section "Midi", 80 when absent, always within 0..127.
int StoredChannelVolume(ProfileStore& store, int channel);

}  // namespace tinsori
