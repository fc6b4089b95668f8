#include "music/HoldNotes.h"

#include <algorithm>
#include <vector>

#include "midi/MidiOut.h"
#include "store/ProfileStore.h"

namespace tinsori {

namespace {

constexpr const char* kSection = "Midi";
constexpr const char* kValue = "Hold Notes";
constexpr int kFlagCount = 128;
constexpr uint32_t kReadBytes = 2 * (255 + 1);

int CurrentInstrument(const ChimeSettings& settings) {
    return std::clamp(settings.instrument.load(std::memory_order_relaxed), 0, kFlagCount - 1);
}

// One entry per character of the text (not per UTF-8 byte): whether it reads as "hold".
std::vector<bool> HoldLetters(const std::string& text) {
    std::vector<bool> letters;
    for (char c : text) {
        bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation) letters.push_back(c == 'Y' || c == 'y');
    }
    return letters;
}

}  // namespace

void LoadHoldFlags(ProfileStore& store, ChimeSettings& settings) {
    std::string text(kFlagCount, 'Y');
    store.ReadString(kSection, kValue, text, kReadBytes);
    std::vector<bool> letters = HoldLetters(text);
    // Past the stored text: its terminator (no hold), then the rest of the default.
    for (int k = 0; k < kFlagCount; ++k) {
        int length = static_cast<int>(letters.size());
        settings.holdFlags[k] = k < length ? letters[k] : (k == length ? 0 : 1);
    }
    settings.holdNotes.store(settings.holdFlags[CurrentInstrument(settings)],
                             std::memory_order_relaxed);
}

std::string HoldFlagsText(const ChimeSettings& settings) {
    std::string text;
    for (int flag : settings.holdFlags) text += flag ? 'Y' : 'N';
    return text;
}

void SaveHoldFlags(ProfileStore& store, const ChimeSettings& settings) {
    std::string text = HoldFlagsText(settings);
    store.WriteString(kSection, kValue, &text);
}

void OnInstrumentSelected(ChimeSettings& settings, const MidiOut& midi, int index) {
    settings.instrument.store(std::clamp(index, 0, kFlagCount - 1), std::memory_order_relaxed);
    int oldHold = settings.holdNotes.exchange(settings.holdFlags[CurrentInstrument(settings)],
                                              std::memory_order_relaxed);
    if (oldHold) midi.SweepNotesOff(settings.channel.load(std::memory_order_relaxed));
    midi.SendProgramAndVolume();
}

void OnHoldNotesClicked(ChimeSettings& settings, const MidiOut& midi, bool checked) {
    int hold = checked ? 1 : 0;
    int oldHold = settings.holdNotes.exchange(hold, std::memory_order_relaxed);
    settings.holdFlags[CurrentInstrument(settings)] = hold;
    if (!hold && oldHold) midi.SweepNotesOff(settings.channel.load(std::memory_order_relaxed));
}

}  // namespace tinsori
