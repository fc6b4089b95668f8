#include "music/ChimeNoteSet.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "midi/MidiOut.h"
#include "music/ScaleWalk.h"

namespace tinsori {

namespace {

constexpr std::array<const char*, 12> kNoteNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                    "F#", "G",  "G#", "A",  "A#", "B"};
constexpr int kHighestChimeNote = 119;
constexpr int kMaxChimeCountChars = 19;

// The current scale; a table that is still empty falls back to the first built-in scale.
const ScaleDef& CurrentScale(const ChimeSettings& settings, const ScaleTable& scales) {
    int count = scales.count();
    if (count == 0) return BuiltInScales[0];
    return scales.at(std::clamp(settings.scaleIndex.load(std::memory_order_relaxed), 0, count - 1));
}

// Index of the item nearest to `note`; the lower note wins a tie.
int NearestItem(const std::vector<BaseNoteItem>& items, int note) {
    int best = 0;
    for (int i = 1; i < static_cast<int>(items.size()); ++i)
        if (std::abs(items[i].note - note) < std::abs(items[best].note - note)) best = i;
    return best;
}

}  // namespace

void ComputeChimeNotes(ChimeSettings& settings, const ScaleTable& scales) {
    const int numChimes = settings.chimeCount();
    const int baseNote = settings.baseNote;
    std::array<int, kChimeSlots> notes;
    notes.fill(kNoNote);
    int stored = 0;
    ScaleWalk walk(CurrentScale(settings, scales), settings.transpose);
    walk.forEachNote(kHighestChimeNote, [&](int j) {
        if (j >= baseNote) notes[stored++] = j;
        return stored < numChimes;
    });
    if (settings.shuffle)
        for (int i = 0; i + 1 < numChimes; i += 2) std::swap(notes[i], notes[i + 1]);
    for (int i = 0; i < numChimes; ++i)
        settings.chimeNotes[i].store(notes[i], std::memory_order_relaxed);
}

BaseNoteList FillBaseNoteList(ChimeSettings& settings, const ScaleTable& scales, int wanted) {
    if (wanted != 0) settings.baseNote = wanted;
    BaseNoteList list;
    ScaleWalk walk(CurrentScale(settings, scales), settings.transpose);
    walk.forEachNote(kHighestNote, [&](int j) {
        list.items.push_back({NoteName(j), j});
        return true;
    });
    if (list.items.empty()) return list;
    list.selected = NearestItem(list.items, settings.baseNote);
    settings.baseNote = list.items[list.selected].note;
    return list;
}

std::string NotesInUseText(const ChimeSettings& settings) {
    std::string text;
    for (int i = 0; i < settings.chimeCount(); ++i) {
        int note = settings.chimeNotes[i].load(std::memory_order_relaxed);
        if (note >= kLowestNote && note <= kHighestNote) text += NoteName(note) + "\r\n";
    }
    return text;
}

std::string UpdateNotesInUse(const ChimeSettings& settings, const MidiOut& midi) {
    std::array<bool, 128> inUse{};  // one flag per MIDI note
    for (int i = 0; i < settings.chimeCount(); ++i) {
        int note = settings.chimeNotes[i].load(std::memory_order_relaxed);
        if (note >= kLowestNote && note <= kHighestNote) inUse[note] = true;
    }
    int status = kNoteOff + (settings.channel.load(std::memory_order_relaxed) & 0x0F);
    for (int n = kLowestNote; n <= kHighestNote; ++n)
        if (!inUse[n]) midi.SendShortMessage(status, n, kSweepVelocity);
    return NotesInUseText(settings);
}

std::string NoteName(int note) {
    int pitchClass = ((note % 12) + 12) % 12;
    return std::string(kNoteNames[pitchClass]) + " - " + std::to_string((note - 12) / 12);
}

std::string ShortNoteName(int note) {
    int pitchClass = ((note % 12) + 12) % 12;
    return std::string(kNoteNames[pitchClass]) + std::to_string((note - 12) / 12);
}

int TypedChimeCount(const std::string& text) {
    std::string head = text.substr(0, kMaxChimeCountChars);
    size_t i = head.find_first_not_of(" \t\r\n\v\f");
    if (i == std::string::npos) return 0;
    bool negative = head[i] == '-';
    if (head[i] == '-' || head[i] == '+') ++i;
    int value = 0;
    // Saturate: any count this large is out of range either way.
    for (; i < head.size() && head[i] >= '0' && head[i] <= '9'; ++i)
        value = std::min(value * 10 + (head[i] - '0'), kTypedChimeCountLimit);
    return negative ? -value : value;
}

void ChangeTranspose(ChimeSettings& settings, int newTranspose) {
    newTranspose = std::clamp(newTranspose, -12, 12);
    settings.baseNote += newTranspose - settings.transpose;
    settings.transpose = newTranspose;
}

}  // namespace tinsori
