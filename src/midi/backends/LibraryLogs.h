#pragma once

namespace tinsori {

// FluidSynth, ALSA and GLib print to stderr on their own (missing sound card, sequencer, audio
// server, damaged soundfont); the program reports its failures itself. Silences them once per
// process unless the environment variable TINSORI_DEBUG is set.
void SilenceLibraryLogs();

}  // namespace tinsori
