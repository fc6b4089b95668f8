#include "music/InstrumentTable.h"

#include <algorithm>

#include "store/ProfileStore.h"

namespace tinsori {

namespace {

constexpr const char* kSection = "Midi";
constexpr uint32_t kNameReadBytes = 2 * (127 + 1);
constexpr size_t kMaxEditChars = 126;

std::string ValueName(int program) {
    return "Inst" + std::to_string(program);
}

int Program(int index) {
    return std::clamp(index, 0, kInstrumentCount - 1);
}

// The edit field holds at most 126 characters; a longer text is cut without splitting UTF-8.
std::string EditFieldText(const std::string& text) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool startsChar = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsChar && chars++ == kMaxEditChars) return text.substr(0, i);
    }
    return text;
}

}  // namespace

InstrumentTable::InstrumentTable() {
    std::copy(BuiltInInstrumentNames.begin(), BuiltInInstrumentNames.end(), names_.begin());
}

const std::string& InstrumentTable::name(int program) const {
    return names_[Program(program)];
}

void InstrumentTable::LoadNames(ProfileStore& store) {
    for (int k = 0; k < kInstrumentCount; ++k) {
        names_[k] = BuiltInInstrumentNames[k];
        store.ReadString(kSection, ValueName(k), names_[k], kNameReadBytes);
    }
}

void InstrumentTable::SaveNames(ProfileStore& store) const {
    for (int k = 0; k < kInstrumentCount; ++k)
        store.WriteString(kSection, ValueName(k), &names_[k]);
}

bool InstrumentTable::RenameInstrument(int selectedIndex, int instrument,
                                       const std::string& editText) {
    int s = Program(selectedIndex < 0 ? instrument : selectedIndex);
    std::string typed = EditFieldText(editText);
    if (typed == names_[s]) return false;
    names_[s] = std::move(typed);
    return true;
}

}  // namespace tinsori
