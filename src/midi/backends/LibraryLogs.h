#pragma once

namespace tinsori {

// FluidSynth and ALSA print to stderr on their own (missing sound card, sequencer, audio
// server); the program reports its failures itself. Silences both once per process unless the
// environment variable TINSORI_DEBUG is set.
void SilenceLibraryLogs();

}  // namespace tinsori
