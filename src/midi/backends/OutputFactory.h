#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/ports/MidiPort.h"
#include "midi/ports/OutputNames.h"
#include "midi/ports/RenderSink.h"
#include "platform/TickClock.h"

namespace tinsori {

// What "opening the device" opens: `--output`, `--soundfont` and `--audio-driver`.
struct OutputChoice {
    // "fluidsynth", "none", or an ALSA sequencer port by (part of its) name or "client:port".
    std::string output = kFluidSynthOutput;
    // For the embedded synthesizer; empty means the default soundfont search and driver order.
    std::string soundfont;
    std::string audioDriver;
    // When set, every open lends this port instead (a render's file writer, a test's recorder);
    // it must outlive every handle that opens it.
    MidiPort* lent = nullptr;
};

// Opens the chosen output; null with a one-line reason when it cannot be opened.
std::unique_ptr<MidiPort> OpenOutput(const OutputChoice& choice, std::string* error);

// Every name `--output` accepts: fluidsynth, none, then the ALSA sequencer's ports.
std::vector<std::string> ListOutputs();

// The file writer of a render, chosen by the path's ending: .wav, .flac and .ogg through the
// synthesizer, .mid a Standard MIDI File, anything else the message log (truncated first).
// Null with a reason when the file cannot be written or the soundfont cannot be loaded.
std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const std::string& soundfont,
                                           const TickClock& clock, std::string* error);

}  // namespace tinsori
