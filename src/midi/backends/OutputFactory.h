#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/chimes/ChimeRingPlaces.h"
#include "midi/ports/MidiPort.h"
#include "midi/ports/OutputNames.h"
#include "midi/ports/RenderSink.h"
#include "platform/TickClock.h"

namespace tinsori {

// What "opening the device" opens: `--output`, `--soundfont` and `--audio-driver`.
struct OutputChoice {
    // "fluidsynth", "chimes", "none", or an ALSA sequencer port by its whole name or
    // "client:port".
    std::string output = kFluidSynthOutput;
    // For the embedded synthesizer; empty means the default soundfont search and driver order.
    std::string soundfont;
    std::string audioDriver;
    double gainDb = 0.0;  // the synthesizer's level against its usual one
    // Where the modelled chimes hang; null: all in the middle.
    const ChimeRingPlaces* ring = nullptr;
    // The live clock whose ticks place the embedded synthesizer's notes in time; null: the
    // moment each message is sent.
    const SteadyTickClock* liveTicks = nullptr;
    // When set, every open lends this port instead (a render's file writer, a test's recorder);
    // it must outlive every handle that opens it.
    MidiPort* lent = nullptr;
};

// Opens the chosen output; null with a one-line reason when it cannot be opened.
std::unique_ptr<MidiPort> OpenOutput(const OutputChoice& choice, std::string* error);

// Every output `--output` accepts, in the order of the output table, each port listed.
std::vector<OutputListing> ListOutputs();

// The audio drivers `--audio-driver` accepts, in the order they are tried: those that play to
// a listener.
std::vector<std::string> ListAudioDrivers();
// Whether a driver of the synthesizer writes a file instead of playing (FluidSynth's "file"
// fills fluidsynth.wav in the current folder): a render's job.
bool IsFileAudioDriver(const std::string& name);

// What a render can write: the endings of one kind of file, and what that file holds.
struct RenderFileKind {
    std::vector<std::string> endings;  // without the dot: "mid", "midi"
    const char* what;                  // "a MIDI file"
};
std::vector<RenderFileKind> RenderFileKinds();

// Whether a render can write a file of this ending; whether that is audio; and the endings
// accepted as one line (".wav .flac ... .mid .midi .log .txt").
bool IsRenderPath(const std::string& path);
bool IsAudioRenderPath(const std::string& path);
std::string RenderEndingsText();

// The file writer of a render, chosen by the path's ending: every audio format this libsndfile
// writes, through the modelled chimes when `synth` names them and else the synthesizer, .mid and
// .midi a Standard MIDI File, .log and .txt the message log (that render alone). Each writes a
// temporary file that replaces `path` only when its `finish` succeeds. Null with a reason when
// the ending is none of those, the file cannot be written or the soundfont cannot be loaded.
std::unique_ptr<RenderSink> OpenRenderSink(const std::string& path, const OutputChoice& synth,
                                           const TickClock& clock, std::string* error,
                                           std::optional<double> loudnessLufs = {});

}  // namespace tinsori
