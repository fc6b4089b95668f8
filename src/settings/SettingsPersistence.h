#pragma once

#include "model/ChimeSettings.h"
#include "music/InstrumentTable.h"
#include "music/ScaleTable.h"
#include "store/ProfileStore.h"

namespace tinsori {

// Fills the settings from section "Settings", the hold-notes flags and the scale table. Every
// value comes out in the range its control and the engine accept, whatever the store held.
void LoadSettings(ProfileStore& store, ChimeSettings& settings, ScaleTable& scales);

// Writes every setting, the scale table, the instrument names and the hold-notes flags back.
// Releasing the MIDI device afterwards is the caller's. False when the writes did not reach the
// file (the commit failed: a full disk, a read-only file).
bool SaveSettings(ProfileStore& store, const ChimeSettings& settings, const ScaleTable& scales,
                  const InstrumentTable& instruments);

// The volume kept for `channel` in section "Midi" (80 when absent), limited to 0..127.
int StoredVolume(ProfileStore& store, int channel);
// Keeps `volume` as the volume of `channel`.
void SaveVolume(ProfileStore& store, int channel, int volume);

}  // namespace tinsori
