#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace tinsori {

class ProfileStore;

inline constexpr int kMaxScaleNotes = 18;
inline constexpr int kScaleSlots = 128;
inline constexpr int kMaxScaleId = 127;

// One scale: semitone offsets that repeat every `repeatInterval` semitones.
struct ScaleDef {
    int16_t id = -1;  // its "Scale %d" section number; -1 while not in the table
    std::string name;
    int numNotes = 0;
    int repeatInterval = 12;
    std::array<int, kMaxScaleNotes> notes{};
};

inline constexpr int kBuiltInScaleCount = 59;
// The built-in scales, in table order (id = index + 1).
extern const std::array<ScaleDef, kBuiltInScaleCount> BuiltInScales;

// The process-wide scale table. The UI thread appends; the simulation thread may read the note
// count of any entry below `count()` at any moment, so an entry is complete before it is counted.
class ScaleTable {
public:
    int count() const { return count_.load(std::memory_order_acquire); }
    // Any index reads a slot of the table; callers keep it below `count()` for a real entry.
    const ScaleDef& at(int index) const { return entries_[std::clamp(index, 0, kScaleSlots - 1)]; }

    // The note count the engine uses for entry `index`, safe for any index and any stored
    // value: 1..21, from the nearest valid entry when `index` is out of range.
    int NumNotesFor(int index) const;

    void LoadScales(ProfileStore& store);
    void SaveScales(ProfileStore& store) const;
    void LoadBuiltIns();

    // Index of the first entry with the same count, repeat and offsets, or none. The candidate is
    // compared as `AppendScale` would store it, so a scale once appended is found again.
    std::optional<int> FindScale(const ScaleDef& candidate) const;
    // Smallest id 1..127 no entry carries, or none.
    std::optional<int> NextFreeScaleId() const;
    // Stores the scale at index `count()` and publishes it; returns its index, or none when full.
    std::optional<int> AppendScale(const ScaleDef& scale);

private:
    std::array<ScaleDef, kScaleSlots> entries_{};
    std::atomic<int> count_{0};
};

}  // namespace tinsori
