#pragma once

#include <cstdint>

#include "midi/MidiHandle.h"
#include "midi/ports/ShortMessage.h"
#include "model/ChimeSettings.h"
#include "platform/WakeEvent.h"

namespace tinsori {

// Playable note range; notes outside it are never sent.
inline constexpr int kLowestNote = 12;
inline constexpr int kHighestNote = 124;
inline constexpr int kSweepVelocity = 120;

// Packs a short message: each input by its low 8 bits, status in bits 0-7.
uint32_t PackShortMessage(int status, int data1, int data2);

// The message operations every sound goes through. They read the live settings at the moment of
// the call and drop every message while the handle is closed.
class MidiOut {
public:
    MidiOut(const ChimeSettings& settings, MidiHandle& handle, WakeEvent& wakeEvent)
        : settings_(settings), handle_(handle), wakeEvent_(wakeEvent) {}

    // Returns 0 when nothing was sent (no open device), 1 otherwise.
    int SendShortMessage(int status, int data1, int data2) const;
    void StrikeNote(int note, int velocity) const;
    void SendProgramAndVolume() const;
    void SendVolume() const;
    void SweepNotesOff(int channel) const;
    // The chime run: a positive delay climbs through `chimeNotes`, a negative one descends; the
    // pauses are waits on the wake event, which a signal cuts short.
    void PlayChimeSet(int delay, int velocity) const;

    MidiHandle& handle() const { return handle_; }

private:
    const ChimeSettings& settings_;
    MidiHandle& handle_;
    WakeEvent& wakeEvent_;
};

}  // namespace tinsori
