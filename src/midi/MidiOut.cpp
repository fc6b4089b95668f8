#include "midi/MidiOut.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tinsori {

namespace {

constexpr int kShortestPause = 4;
constexpr int kPauseStep = 2;
constexpr int kLoudestRunVelocity = 80;
constexpr int kVelocityStep = 5;

// A stored value out of range must not turn a note-on into another message kind or put a
// status bit into a data byte, so every value from the settings is brought into range here.
int dataByte(int value) {
    return std::clamp(value, 0, 127);
}
int channelNibble(int channel) {
    return std::clamp(channel, 0, 15);
}

}  // namespace

uint32_t PackShortMessage(int status, int data1, int data2) {
    return (static_cast<uint32_t>(status) & 0xFFu) | ((static_cast<uint32_t>(data1) & 0xFFu) << 8) |
           ((static_cast<uint32_t>(data2) & 0xFFu) << 16);
}

int FadedVolume(int volume, double progress) {
    volume = dataByte(volume);
    if (!(progress > 0.0)) return volume;
    if (progress >= 1.0) return 0;
    return static_cast<int>(std::lround(std::pow(volume, 1.0 - progress)));
}

int MidiOut::SendShortMessage(int status, int data1, int data2) const {
    return handle_.send(PackShortMessage(status, data1, data2)) ? 1 : 0;
}

void MidiOut::StrikeNote(int note, int velocity) const {
    if (note < kLowestNote || note > kHighestNote) return;
    const int channel = channelNibble(settings_.channel.load(std::memory_order_relaxed));
    velocity = dataByte(velocity);
    // A held note must be stopped before it can sound again; a free one rings on by its decay.
    if (settings_.holdNotes.load(std::memory_order_relaxed)) {
        SendShortMessage(kNoteOff + channel, note, velocity);
        SendShortMessage(kNoteOn + channel, note, velocity);
    } else {
        SendShortMessage(kNoteOn + channel, note, velocity);
        SendShortMessage(kNoteOff + channel, note, velocity);
    }
}

void MidiOut::SendProgramAndVolume() const {
    const int channel = channelNibble(settings_.channel.load(std::memory_order_relaxed));
    SendShortMessage(kProgramChange + channel,
                     dataByte(settings_.instrument.load(std::memory_order_relaxed)), 0);
    SendShortMessage(kControlChange + channel, kChannelVolume, ChannelVolume());
}

void MidiOut::SendVolume() const {
    const int channel = channelNibble(settings_.channel.load(std::memory_order_relaxed));
    SendShortMessage(kControlChange + channel, kChannelVolume, ChannelVolume());
}

int MidiOut::ChannelVolume() const {
    return FadedVolume(settings_.volume.load(std::memory_order_relaxed),
                       fade_.load(std::memory_order_relaxed));
}

void MidiOut::SweepNotesOff(int channel) const {
    channel = channelNibble(channel);
    for (int note = kLowestNote; note <= kHighestNote; ++note)
        SendShortMessage(kNoteOff + channel, note, kSweepVelocity);
}

void MidiOut::PlayChimeSet(int delay, int velocity) const {
    SendProgramAndVolume();
    int64_t pause = std::llabs(delay);
    const int count = settings_.chimeCount();
    for (int i = 0; i < count; ++i) {
        const int slot = delay < 0 ? count - 1 - i : i;
        StrikeNote(settings_.chimeNotes[slot].load(std::memory_order_relaxed), velocity);
        // The pause is waited for unsounded slots too, so the run keeps its rhythm.
        wakeEvent_.wait(static_cast<uint32_t>(pause));
        pause = std::max<int64_t>(pause - kPauseStep, kShortestPause);
        velocity = std::min(velocity + kVelocityStep, kLoudestRunVelocity);
    }
}

}  // namespace tinsori
