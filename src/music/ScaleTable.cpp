#include "music/ScaleTable.h"

#include <algorithm>

#include "store/ProfileStore.h"

namespace tinsori {

namespace {

constexpr size_t kMaxNameChars = 62;
// Names are read with generous room so that a long one is cut rather than lost.
constexpr uint32_t kNameReadBytes = 2 * (1024 + 1);

std::string SectionName(int id) {
    return "Scale " + std::to_string(id);
}
std::string NoteValueName(int k) {
    return "Note" + std::to_string(k);
}

// Cuts `text` after `maxChars` characters without splitting a UTF-8 sequence.
std::string CutToChars(const std::string& text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool startsChar = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsChar && chars++ == maxChars) return text.substr(0, i);
    }
    return text;
}

// Brings a scale's count and repeat into the range the note walk and the engine rely on.
void MakeSound(ScaleDef& scale) {
    scale.numNotes = std::clamp(scale.numNotes, 1, kMaxScaleNotes);
    scale.repeatInterval = std::max(scale.repeatInterval, 1);
}

bool SameNotes(const ScaleDef& a, const ScaleDef& b) {
    if (a.numNotes != b.numNotes || a.repeatInterval != b.repeatInterval) return false;
    int n = std::clamp(a.numNotes, 0, kMaxScaleNotes);
    return std::equal(a.notes.begin(), a.notes.begin() + n, b.notes.begin());
}

}  // namespace

int ScaleTable::NumNotesFor(int index) const {
    int n = count();
    if (n == 0) return 1;
    const ScaleDef& scale = entries_[std::clamp(index, 0, n - 1)];
    return std::clamp(scale.numNotes, 1, kMaxScaleNotes);
}

void ScaleTable::LoadScales(ProfileStore& store) {
    count_.store(0, std::memory_order_release);
    int n = 0;
    for (int id = 1; id <= kMaxScaleId; ++id) {
        std::string section = SectionName(id);
        int numNotes = store.ReadInt(section, "NumNotes", 0);
        if (numNotes == 0) continue;
        ScaleDef& scale = entries_[n++];
        scale = ScaleDef{};
        scale.id = static_cast<int16_t>(id);
        scale.numNotes = numNotes;
        scale.repeatInterval = store.ReadInt(section, "RepeatInterval", 12);
        MakeSound(scale);
        scale.name = "Untitled";
        store.ReadString(section, "Name", scale.name, kNameReadBytes);
        scale.name = CutToChars(scale.name, kMaxNameChars);
        for (int k = 1; k <= scale.numNotes; ++k)
            scale.notes[k - 1] = store.ReadInt(section, NoteValueName(k), 0);
    }
    count_.store(n, std::memory_order_release);
    if (n == 0) LoadBuiltIns();
}

void ScaleTable::SaveScales(ProfileStore& store) const {
    for (int i = 0; i < count(); ++i) {
        const ScaleDef& scale = entries_[i];
        std::string section = SectionName(scale.id);
        store.WriteString(section, "Name", &scale.name);
        store.WriteInt(section, "NumNotes", scale.numNotes);
        store.WriteInt(section, "RepeatInterval", scale.repeatInterval);
        for (int k = 1; k <= std::clamp(scale.numNotes, 0, kMaxScaleNotes); ++k)
            store.WriteInt(section, NoteValueName(k), scale.notes[k - 1]);
    }
}

void ScaleTable::LoadBuiltIns() {
    count_.store(0, std::memory_order_release);
    std::copy(BuiltInScales.begin(), BuiltInScales.end(), entries_.begin());
    for (size_t i = 0; i < BuiltInScales.size(); ++i) entries_[i].id = static_cast<int16_t>(i + 1);
    count_.store(static_cast<int>(BuiltInScales.size()), std::memory_order_release);
}

std::optional<int> ScaleTable::FindScale(const ScaleDef& candidate) const {
    ScaleDef sound = candidate;
    MakeSound(sound);
    for (int i = 0; i < count(); ++i)
        if (SameNotes(entries_[i], sound)) return i;
    return std::nullopt;
}

std::optional<int> ScaleTable::NextFreeScaleId() const {
    std::array<bool, kScaleSlots> used{};
    for (int i = 0; i < count(); ++i)
        if (entries_[i].id >= 1 && entries_[i].id <= kMaxScaleId) used[entries_[i].id] = true;
    for (int id = 1; id <= kMaxScaleId; ++id)
        if (!used[id]) return id;
    return std::nullopt;
}

std::optional<int> ScaleTable::AppendScale(const ScaleDef& scale) {
    int index = count();
    if (index >= kMaxScaleId) return std::nullopt;
    ScaleDef entry = scale;
    MakeSound(entry);
    bool idTaken = entry.id < 1 || entry.id > kMaxScaleId ||
                   std::any_of(entries_.begin(), entries_.begin() + index,
                               [&](const ScaleDef& e) { return e.id == entry.id; });
    if (idTaken) {
        std::optional<int> id = NextFreeScaleId();
        if (!id) return std::nullopt;
        entry.id = static_cast<int16_t>(*id);
    }
    entries_[index] = std::move(entry);
    // The simulation reads any counted entry at any moment: the entry is complete first.
    count_.store(index + 1, std::memory_order_release);
    return index;
}

}  // namespace tinsori
