#include "midi/MidiDevice.h"

#include <algorithm>

#include "midi/SharedDeviceSection.h"
#include "model/SettingsSchema.h"
#include "platform/Texts.h"

namespace tinsori {

namespace {

constexpr int kChannels = 16;
constexpr int kMaxChannelMoves = 14;

// The other copies that still run. Records of copies that are gone, and any earlier record of
// this copy, are dropped; `dropped` tells whether there were any.
std::vector<DeviceHolder> LiveOthers(MidiDeviceContext& device, SharedDeviceSection& section,
                                     bool* dropped = nullptr) {
    std::vector<DeviceHolder> live;
    bool any = false;
    for (const DeviceHolder& holder : section.holders()) {
        if (holder.id.pid != device.self.pid && device.isAlive(holder.id)) {
            live.push_back(holder);
        } else {
            section.removeHolder(holder.id.pid);
            any = true;
        }
    }
    if (dropped) *dropped = any;
    return live;
}

// Rewrites the section from the copies still running, so that no live copy loses its claim
// when another vanished without closing. Returns the holder now named.
long RebuildFrom(const std::vector<DeviceHolder>& live, long named, SharedDeviceSection& section) {
    if (live.empty()) {
        section.clearAll();
        return 0;
    }
    const bool namedLives = std::any_of(
        live.begin(), live.end(), [named](const DeviceHolder& h) { return h.id.pid == named; });
    const long holder = namedLives ? named : live.front().id.pid;
    section.setOpenApps(static_cast<int32_t>(live.size()));
    section.setChannelsInUse(SharedDeviceSection::MaskOf(live));
    section.setNamedHolder(holder);
    return holder;
}

// Moves upward from `channel` past channels in `mask`, at most 14 times; the last move stands
// even when that channel is taken too.
int FindChannel(int channel, uint32_t mask, int& saveChannel) {
    for (int moves = 0;
         (mask & SharedDeviceSection::ChannelBit(channel)) && moves < kMaxChannelMoves; ++moves) {
        saveChannel = 0;
        channel = (channel + 1) % kChannels;
    }
    return channel;
}

std::string VolumeName(int channel) {
    return std::string(setting::kVolume.storeName) + " " + std::to_string(channel);
}

}  // namespace

int StoredChannelVolume(ProfileStore& store, int channel) {
    return setting::kVolume.Clamp(
        store.ReadInt("Midi", VolumeName(channel), setting::kVolume.storedDefault));
}

DeviceOpenResult OpenMidiDevice(MidiDeviceContext& device) {
    std::string error;
    // Each copy opens its own output; done before the shared section is locked, since starting
    // a synthesizer can take a while.
    std::unique_ptr<MidiPort> port = device.opener ? device.opener(&error) : nullptr;
    DeviceOpenResult result = ClaimMidiDevice(device, std::move(port));
    result.error = std::move(error);
    if (!result.opened && result.error.empty())
        result.error = TextCatalogue::Words(kTextNoOutputOpened);
    return result;
}

void AttachMidiPort(MidiDeviceContext& device, std::unique_ptr<MidiPort> port) {
    device.handle.open(std::move(port));
    device.out.SendProgramAndVolume();
}

DeviceOpenResult ClaimMidiDevice(MidiDeviceContext& device, std::unique_ptr<MidiPort> port) {
    ChimeSettings& settings = device.settings;
    int channel = std::clamp(settings.channel.load(), 0, kChannels - 1);
    DeviceOpenResult result;
    result.opened = port != nullptr;
    {
        ProfileStore::Transaction txn(device.store);
        SharedDeviceSection section(device.store);
        // 1. The named holder, unless it is gone; then the section is rebuilt from the live.
        long holder = section.namedHolder();
        bool dropped = false;
        const auto live = LiveOthers(device, section, &dropped);
        const bool namedLives =
            std::any_of(live.begin(), live.end(),
                        [holder](const DeviceHolder& h) { return h.id.pid == holder; });
        if ((holder != 0 && !namedLives) || dropped) holder = RebuildFrom(live, holder, section);
        // 2. Count this copy; beside a running copy, look for a free channel.
        const int32_t count = section.openApps() + 1;
        if (holder != 0)
            channel = FindChannel(channel, section.channelsInUse(), settings.saveChannel);
        // 3. Publish the count, the holder and the channel claim.
        section.setOpenApps(count);
        section.setNamedHolder(holder != 0 ? holder : device.self.pid);
        section.setChannelsInUse(section.channelsInUse() |
                                 SharedDeviceSection::ChannelBit(channel));
        section.writeHolder({device.self, channel});
        result.recorded = txn.Commit();
    }
    settings.channel = channel;
    result.channel = channel;
    AttachMidiPort(device, std::move(port));
    return result;
}

bool CloseMidiDevice(MidiDeviceContext& device) {
    const int channel = std::clamp(device.settings.channel.load(), 0, kChannels - 1);
    bool recorded = false;
    {
        ProfileStore::Transaction txn(device.store);
        SharedDeviceSection section(device.store);
        const int32_t count = section.openApps();
        const long holder = section.namedHolder();
        const auto others = LiveOthers(device, section);
        // Another copy may share this channel (after a fruitless search): its claim stays.
        section.setChannelsInUse(
            (section.channelsInUse() & ~SharedDeviceSection::ChannelBit(channel)) |
            SharedDeviceSection::MaskOf(others));
        bool last = count <= 0 ? count == 0 : count - 1 == 0;
        if (count > 0) section.setOpenApps(count - 1);
        if (last || (holder == device.self.pid && others.empty())) {
            // Copies still running despite the count keep their claims.
            if (!others.empty())
                RebuildFrom(others, holder, section);
            else
                section.clearAll();
        } else if (holder == device.self.pid) {
            section.setNamedHolder(others.front().id.pid);  // hand the name on
        }
        recorded = txn.Commit();
    }
    device.handle.close();
    return recorded;
}

ChannelChangeResult ChangeMidiChannel(MidiDeviceContext& device, int channel) {
    ChimeSettings& settings = device.settings;
    const int old = settings.channel.load();
    ChannelChangeResult result{false, old, settings.volume.load()};
    if (channel == old || channel < 0 || channel >= kChannels) return result;
    if (settings.paused) {
        // Paused, this copy holds no channel: the next open claims the new one.
        const bool recorded = device.store.WriteInt("Midi", VolumeName(old), settings.volume);
        settings.volume = StoredChannelVolume(device.store, channel);
        settings.channel = channel;
        return {true, channel, settings.volume.load(), recorded};
    }
    bool recorded = false;
    {
        ProfileStore::Transaction txn(device.store);
        SharedDeviceSection section(device.store);
        const uint32_t mask = section.channelsInUse();
        if (mask & SharedDeviceSection::ChannelBit(channel)) return result;  // snap back
        const auto others = LiveOthers(device, section);
        section.setChannelsInUse((mask & ~SharedDeviceSection::ChannelBit(old)) |
                                 SharedDeviceSection::ChannelBit(channel) |
                                 SharedDeviceSection::MaskOf(others));
        section.writeHolder({device.self, channel});
        device.store.WriteInt("Midi", VolumeName(old), settings.volume);
        settings.volume = StoredChannelVolume(device.store, channel);
        recorded = txn.Commit();
    }
    device.out.SendShortMessage(kProgramChange + channel, settings.instrument, 0);
    device.out.SendShortMessage(kControlChange + channel, kChannelVolume,
                                device.out.ChannelVolume());
    settings.channel = channel;
    if (settings.holdNotes) device.out.SweepNotesOff(old);
    return {true, channel, settings.volume.load(), recorded};
}

}  // namespace tinsori
