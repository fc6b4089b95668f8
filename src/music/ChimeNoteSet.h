#pragma once

#include <string>
#include <vector>

#include "model/ChimeSettings.h"
#include "music/ScaleTable.h"

namespace tinsori {

class MidiOut;

// One item of the Base Note list: its text ("%s - %d") and the note it stands for.
struct BaseNoteItem {
    std::string text;
    int note = 0;
};

struct BaseNoteList {
    std::vector<BaseNoteItem> items;
    int selected = -1;  // -1 when the scale yields no note in 12..124
};

// Recomputes `chimeNotes` from scale, transposition, base note and chime count. Sends nothing.
void ComputeChimeNotes(ChimeSettings& settings, const ScaleTable& scales);

// Rebuilds the Base Note list and settles `baseNote` (wanted 0 keeps the current base note).
BaseNoteList FillBaseNoteList(ChimeSettings& settings, const ScaleTable& scales, int wanted);

// The "Chimes in Use" text, one "%s - %d\r\n" line per sounding chime.
std::string NotesInUseText(const ChimeSettings& settings);

// Sends a note-off (velocity 120) for every note 12..124 no chime holds; returns the
// "Chimes in Use" text for the view.
std::string UpdateNotesInUse(const ChimeSettings& settings, const MidiOut& midi);

// "C - 0" .. "E - 9": pitch-class name and octave of a note.
std::string NoteName(int note);
// The same without the spaces, "C0" .. "E9", where room is short.
std::string ShortNoteName(int note);

// The number typed into the Number of Chimes box: its leading decimal integer (at most 19
// characters are read; none counts as 0), before it is limited to 1..77. Beyond
// +-kTypedChimeCountLimit it saturates there.
inline constexpr int kTypedChimeCountLimit = 1000;
int TypedChimeCount(const std::string& text);

// A new transposition (limited to -12..12) moves the base note by the same number of semitones.
// The caller then rebuilds the Base Note list and the chime notes.
void ChangeTranspose(ChimeSettings& settings, int newTranspose);

}  // namespace tinsori
