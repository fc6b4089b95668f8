#pragma once

#include <array>
#include <string>

namespace tinsori {

class ProfileStore;

inline constexpr int kInstrumentCount = 128;

// "0 - Acoustic Grand Piano" .. "127 - Gunshot": the General MIDI programs as first shown.
extern const std::array<const char*, kInstrumentCount> BuiltInInstrumentNames;

// The display names of the 128 programs, as the Instrument list shows them. The user may rename
// an entry; the program number stays the entry's index.
class InstrumentTable {
public:
    InstrumentTable();

    int count() const { return kInstrumentCount; }
    // The name of `program`, limited to 0..127.
    const std::string& name(int program) const;

    // Reads "Inst%d" of section "Midi" for every program; an absent name keeps the built-in one.
    void LoadNames(ProfileStore& store);
    // Writes every name, changed or not.
    void SaveNames(ProfileStore& store) const;

    // The text typed into the list's edit field becomes the name of the selected entry, or of
    // `instrument` when nothing is selected (`selectedIndex` -1). Returns whether a name changed.
    bool RenameInstrument(int selectedIndex, int instrument, const std::string& editText);

private:
    std::array<std::string, kInstrumentCount> names_;
};

}  // namespace tinsori
