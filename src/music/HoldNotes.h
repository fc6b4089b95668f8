#pragma once

#include <string>

#include "model/ChimeSettings.h"

namespace tinsori {

class MidiOut;
class ProfileStore;

// The per-program hold-notes flags and the two controls that change them.

// Reads "Hold Notes" of section "Midi" over a default of 128 "Y": a shorter stored text
// replaces the start of the default and its terminator clears the flag right after it; a text
// over 255 characters is ignored. Then `holdNotes` follows the current instrument.
void LoadHoldFlags(ProfileStore& store, ChimeSettings& settings);
// Writes the 128 flags as "Y" and "N".
void SaveHoldFlags(ProfileStore& store, const ChimeSettings& settings);
std::string HoldFlagsText(const ChimeSettings& settings);

// A program chosen in the Instrument list: the new program's flag, notes held by the old one
// swept off, then program change and volume.
void OnInstrumentSelected(ChimeSettings& settings, const MidiOut& midi, int index);
// The Hold Notes box clicked: the flag of the current program follows it; clearing it stops
// the notes still held.
void OnHoldNotesClicked(ChimeSettings& settings, const MidiOut& midi, bool checked);

}  // namespace tinsori
