#pragma once

#include <atomic>
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

// The channel volume `progress` (0..1) of the way through a fade-out from `volume`. The General
// MIDI volume curve makes a value's loudness 40 log10(value / 127) dB, so value = volume to the
// power (1 - progress) falls by the same number of decibels in every equal stretch of time, from
// `volume` down to 1; the end of the fade is 0.
int FadedVolume(int volume, double progress);

// The message operations every sound goes through. They read the live settings at the moment of
// the call and drop every message while the handle is closed.
class MidiOut {
public:
    MidiOut(const SharedChimeSettings& settings, MidiHandle& handle, WakeEvent& wakeEvent)
        : settings_(settings), handle_(handle), wakeEvent_(wakeEvent) {}

    // Returns 0 when nothing was sent (no open device), 1 otherwise.
    int SendShortMessage(int status, int data1, int data2) const;
    void StrikeNote(int note, int velocity) const;
    void SendProgramAndVolume() const;
    void SendVolume() const;
    // The channel volume every volume message carries: `volume` of the settings, faded. The
    // settings keep the unfaded value, so a fade never reaches the store.
    int ChannelVolume() const;
    // How far a fade-out has come, 0 (none) to 1 (silent). Does not send by itself.
    void SetFadeProgress(double progress) { fade_.store(progress, std::memory_order_relaxed); }
    void SweepNotesOff(int channel) const;
    // The chime run: a positive delay climbs through `chimeNotes`, a negative one descends; the
    // pauses are waits on the wake event, which a signal cuts short.
    void PlayChimeSet(int delay, int velocity) const;

    MidiHandle& handle() const { return handle_; }

private:
    const SharedChimeSettings& settings_;
    MidiHandle& handle_;
    WakeEvent& wakeEvent_;
    std::atomic<double> fade_{0.0};
};

}  // namespace tinsori
