#include "settings/BuiltInPresets.h"

#include <algorithm>
#include <optional>

#include "model/ChimeSettings.h"
#include "platform/AsciiCase.h"
#include "settings/FavoriteLine.h"
#include "settings/Favorites.h"
#include "store/ProfileStore.h"
#include "store/SplitField.h"

namespace tinsori {

const std::array<std::string_view, kBuiltInPresetCount> BuiltInFavorites = {
    "Acoustic Journey,24,10,45,0,-3,1,0,1190,0,579,4,12,0,4,7,11,0,1000",
    "Aeolian Music Box,10,24,24,0,-3,1,0,7460,1,408,4,12,0,3,5,9,0,1000",
    "Alien World,115,16,79,0,0,2,0,8250,1,769,4,7,0,1,3,4,0,1000",
    "Balinese Chimes,14,17,70,0,4,1,0,5820,0,370,5,12,0,1,5,6,8,1,3040",
    "Blues Guitar,26,9,42,0,-1,1,1,4630,0,468,4,12,0,3,7,10,0,1000",
    "By the Sea,122,7,43,0,0,1,0,7460,0,246,2,12,0,7,0,1000",
    "Contemplative Journey,27,25,24,0,10,1,0,4930,0,187,7,12,0,2,4,5,7,9,11,0,1000",
    "Crystalline Entity,93,16,39,0,0,1,0,5430,0,472,6,27,0,7,11,15,19,26,1,1200",
    "Easter Island,99,12,24,0,0,1,0,7460,1,573,2,12,0,7,0,1000",
    "Frogs at Pops,47,15,29,0,10,1,0,5270,0,436,6,24,0,7,12,16,19,23,1,2257",
    "From the Depths,95,14,26,0,2,1,0,6700,0,470,2,12,0,4,0,3120",
    "Garage Band Practice,29,9,34,0,0,8,1,9770,0,583,3,12,5,7,10,0,1000",
    "Glorious Sunrise,51,11,28,0,4,1,0,5540,1,472,2,12,0,7,1,1000",
    "Gunfight!,127,7,39,0,0,2,1,4630,0,912,3,12,0,3,11,0,1000",
    "Insects on the Move,45,24,60,0,3,2,0,4850,1,821,4,7,0,1,3,4,0,1000",
    "Island Breeze,14,16,82,0,3,1,0,2000,0,259,5,12,0,2,4,7,9,0,2673",
    "Jupiter's Rings,53,25,25,0,4,1,0,7630,0,325,5,12,0,2,4,7,9,0,2600",
    "Life in Space,102,9,66,0,-1,1,0,6300,0,562,3,12,0,3,7,0,1000",
    "Mellow 70's,4,20,30,0,6,1,0,170,1,405,3,12,0,5,9,1,1000",
    "Mystical Realm (chimes),14,10,73,0,-3,1,0,5520,0,410,5,12,0,2,4,7,9,1,2967",
    "Native American Chimes,14,6,61,0,-5,1,0,10000,0,410,6,12,0,2,4,6,9,11,0,2967",
    "Olympic Chimes,14,6,62,0,2,1,0,10000,0,463,5,12,0,1,5,7,8,0,1000",
    "Peaceful Tubular Tinsori,14,7,52,0,-3,1,0,10000,0,404,5,12,0,2,4,7,9,0,1533",
    "Pearly Gates,46,20,36,0,-3,1,0,3760,1,551,4,12,0,3,5,9,0,1726",
    "Piano Bar,0,23,35,0,3,1,1,170,1,410,4,12,0,3,5,8,1,1648",
    "Raindrops are Falling,12,19,67,0,0,2,0,8250,0,559,5,12,0,4,7,9,10,0,1000",
    "Rainy Afternoon,96,14,35,0,-1,1,0,3270,0,489,4,12,0,4,7,11,0,1000",
    "Relaxing Day,14,6,55,0,3,1,0,6300,0,169,5,12,0,2,4,7,9,0,1000",
    "Romantic Evening,0,18,34,0,-2,8,0,1300,0,419,3,12,0,4,7,0,371",
    "Silver Chimes,14,8,57,0,3,1,0,10000,0,368,5,12,0,2,4,6,9,0,1442",
    "Sit Back and Enjoy,26,16,35,0,0,1,0,3070,0,488,6,24,0,7,12,16,19,23,0,1000",
    "Soft Ambiance,89,12,47,0,-1,1,0,5210,1,481,3,12,0,4,7,1,1000",
    "Soft Piano Improvisations,0,20,30,0,-1,1,0,6720,0,329,3,12,0,4,7,1,2203",
    "Solemn Joy,46,20,37,0,-2,1,0,3760,0,495,4,12,0,3,7,10,0,1000",
    "Soundtrack of the Prairie,50,17,28,0,-4,1,1,170,0,410,4,12,0,3,5,8,1,1648",
    "Spatial Awareness,103,22,36,0,0,1,0,7460,1,516,4,12,0,4,7,11,0,1000",
    "The Orient,107,11,54,0,1,1,0,6720,1,299,5,12,0,1,5,7,8,1,2976",
    "Tin Cans,112,7,43,0,0,1,0,4390,0,426,2,12,0,7,0,1000",
    "Tinkles...,14,6,96,0,-3,2,0,1620,0,493,4,12,0,3,5,9,0,1000",
    "Valley Breeze,112,35,28,0,4,1,0,4930,0,333,5,12,0,2,4,7,9,0,1617",
    "Vitamin \"C\",93,8,12,0,0,2,0,9370,1,461,1,12,0,0,1000",
    "Water Caves,98,21,34,0,-2,1,0,8710,0,357,4,12,0,3,5,9,1,1618",
    "Tinsori II,14,8,57,0,-5,1,0,6300,0,355,5,12,0,2,4,7,9,0,1000",
};

const std::array<std::string_view, kBuiltInPresetCount> BuiltInPatterns = {
    "Acoustic Journey,5,0,161,172,57,4,1,87,9,62,3,0,1,0,0,1,3",
    "Aeolian Music Box,7,0,93,180,121,-3,1,38,9,0,2,0,0,1000,1,6,1",
    "Alien World,11,0,17,240,165,-5,2,0,2,0,3,1,1,1000,1,1,1",
    "Balinese Chimes,7,0,123,140,99,1,1,6,10,72,1,1,1,0,1,4,4",
    "Blues Guitar,9,0,84,153,125,3,1,79,8,91,3,0,1,0,1,1,5",
    "By the Sea,3,0,320,202,85,0,2,0,2,0,1,1,1,1000,1,10,1",
    "Contemplative Journey,0,0,240,42,17,0,1,79,31,78,2,0,1,0,1,1,2",
    "Crystalline Entity,4,0,320,131,37,6,1,135,9,41,4,0,0,1000,1,1,0",
    "Easter Island,6,0,153,177,81,0,1,60,9,50,3,0,1,0,1,1,2",
    "Frogs at Pops,6,0,151,153,57,14,1,79,8,155,3,0,1,0,1,1,5",
    "From the Depths,4,-8,48,207,110,6,1,144,11,169,3,0,1,1000,1,13,1",
    "Garage Band Practice,7,0,91,166,76,-6,1,600,231,60,4,0,1,1200,1,1,0",
    "Glorious Sunrise,11,0,161,172,57,2,1,87,16,82,3,0,1,0,0,1,2",
    "Gunfight!,2,0,30,138,270,6,1,53,28,80,2,1,1,0,1,1,2",
    "Insects on the Move,2,-3,32,245,95,9,1,450,62,47,4,1,1,1000,1,1,0",
    "Island Breeze,8,0,117,176,51,1,1,53,8,150,4,0,1,1000,1,1,5",
    "Jupiter's Rings,29,0,43,104,27,1,1,203,36,0,3,1,1,0,1,1,5",
    "Life in Space,12,4,50,180,100,4,1,12,10,0,2,0,0,1000,1,1,1",
    "Mellow 70's,10,0,161,172,57,2,1,87,9,82,3,0,1,0,0,1,2",
    "Mystical Realm (chimes),10,0,162,102,91,2,1,2,5,27,3,0,1,0,1,1,2",
    "Native American Chimes,10,0,65,102,61,1,1,2,5,72,3,0,1,0,1,1,2",
    "Olympic Chimes,6,0,182,177,89,0,1,30,9,50,3,0,1,0,1,1,1",
    "Peaceful Tubular Tinsori,7,0,182,177,65,2,1,0,2,133,3,0,1,0,1,1,2",
    "Pearly Gates,1,0,161,172,57,2,1,87,9,82,3,0,1,0,0,1,2",
    "Piano Bar,12,-4,31,180,58,70,1,249,13,170,4,1,1,1000,1,1,1",
    "Raindrops are Falling,1,0,11,155,13,70,1,240,44,60,4,1,1,15,1,1,0",
    "Rainy Afternoon,2,-8,62,143,13,4,1,0,18,72,4,1,1,0,0,1,3",
    "Relaxing Day,3,0,255,212,43,0,1,79,31,50,1,0,1,0,1,7,1",
    "Romantic Evening,7,0,177,159,75,2,1,23,24,50,3,0,1,0,1,1,1",
    "Silver Chimes,8,0,107,177,128,0,1,79,17,50,3,0,1,0,1,1,1",
    "Sit Back and Enjoy,5,0,192,167,103,-2,1,188,17,0,3,0,1,0,1,7,5",
    "Soft Ambiance,12,0,161,172,43,2,1,87,9,82,3,0,1,0,0,1,2",
    "Soft Piano Improvisations,9,0,90,180,45,1,1,0,2,60,1,0,0,1000,1,1,1",
    "Solemn Joy,31,0,50,180,33,4,1,210,10,0,2,0,0,1000,1,1,1",
    "Soundtrack of the Prairie,0,0,320,222,43,1,1,53,8,50,2,1,1,1000,1,15,5",
    "Spatial Awareness,6,0,84,180,47,4,1,53,21,69,2,1,1,1000,1,4,5",
    "The Orient,11,0,84,180,47,4,1,53,8,69,4,0,1,1000,1,1,5",
    "Tin Cans,1,0,192,162,33,1,1,53,8,101,4,1,1,1000,1,1,2",
    "Tinkles...,3,0,30,162,19,1,1,53,8,26,4,1,1,1000,1,1,2",
    "Valley Breeze,3,0,36,180,41,-4,1,111,66,0,2,1,0,1000,1,4,0",
    "Vitamin \"C\",3,-8,48,207,75,6,1,75,6,169,3,0,1,1000,1,1,2",
    "Water Caves,7,0,145,189,111,1,1,130,11,140,2,0,1,0,1,12,5",
    "Tinsori II,8,0,117,176,65,1,1,53,8,167,4,0,1,1000,1,1,1",
};

namespace {

constexpr std::string_view kInstalledValue = "AddDefaultsNow";
constexpr std::string_view kLastValue = "Last";
// The command line is read into a buffer of this many characters.
constexpr std::size_t kMaxCommandLineChars = 255;

// One preset set and where it lives.
struct PresetSet {
    std::string_view section;
    std::string_view valuePrefix;
    const std::array<std::string_view, kBuiltInPresetCount>& lines;
    int scanBeyondLast;  // how far past the counter a scan looks for the line or a gap
};

// The slots of one section, each read from the store at most once while a set is installed:
// every preset scans from the first slot, and a read per slot and preset made the installation
// quadratic. Only this installation writes the section meanwhile (inside its transaction).
class SlotScan {
public:
    SlotScan(ProfileStore& store, const PresetSet& set) : store_(store), set_(set) {}

    const std::string& line(int i) {
        Slot& slot = at(i);
        if (!slot.lineRead) {
            store_.ReadString(set_.section, name(i), slot.line, kFavoriteLineBytes);
            slot.lineRead = true;
        }
        return slot.line;
    }
    // A slot is free only when it holds no text at all, not even a line too long to read.
    bool empty(int i) {
        if (!line(i).empty()) return false;
        Slot& slot = at(i);
        if (!slot.textKnown) {
            slot.holdsText = SlotHoldsText(store_, set_.section, name(i));
            slot.textKnown = true;
        }
        return !slot.holdsText;
    }
    void write(int i, std::string_view text) {
        std::string copy(text);
        if (!store_.WriteString(set_.section, name(i), &copy)) return;
        // A refused write leaves the slot as it was, so the next preset tries it again.
        at(i) = Slot{copy, true, true, true};
    }

private:
    struct Slot {
        std::string line;
        bool lineRead = false;
        bool textKnown = false;
        bool holdsText = false;
    };
    Slot& at(int i) { return slots_[static_cast<std::size_t>(i)]; }
    std::string name(int i) const { return std::string(set_.valuePrefix) + std::to_string(i); }

    ProfileStore& store_;
    const PresetSet& set_;
    std::array<Slot, kFavoriteSlots + 1> slots_{};
};

// Stores one line unless the same line (ignoring case) is already there; fills the first gap.
void InstallLine(SlotScan& scan, const PresetSet& set, std::string_view preset, int& counter) {
    int end = std::min(std::clamp(counter, 0, kFavoriteSlots) + set.scanBeyondLast, kFavoriteSlots);
    std::optional<int> firstEmpty;
    for (int i = 1; i <= end; ++i) {
        if (EqualsIgnoringCase(scan.line(i), preset)) return;
        if (!firstEmpty && scan.empty(i)) firstEmpty = i;
    }
    if (!firstEmpty) return;
    scan.write(*firstEmpty, preset);
    counter = std::max(counter, *firstEmpty);
}

// The flag is set even when a write failed, so a broken store is not retried every start.
bool InstallSet(ProfileStore& store, const PresetSet& set, bool lastFirst) {
    ProfileStore::Transaction transaction(store);
    if (store.ReadInt(set.section, kInstalledValue, 0) != 0) return transaction.Commit();
    int counter = store.ReadInt(set.section, kLastValue, 0);
    SlotScan scan(store, set);
    for (std::string_view preset : set.lines) InstallLine(scan, set, preset, counter);
    if (lastFirst) store.WriteInt(set.section, kLastValue, counter);
    store.WriteInt(set.section, kInstalledValue, 1);
    if (!lastFirst) store.WriteInt(set.section, kLastValue, counter);
    return transaction.Commit();
}

}  // namespace

bool InstallBuiltInPresets(ProfileStore& store) {
    const bool favorites = InstallSet(store, {"Favorites", "Favorite", BuiltInFavorites, 2}, false);
    return InstallSet(store, {"Prismora", "Pattern", BuiltInPatterns, 1}, true) && favorites;
}

void ApplyCommandLineSettings(FavoritesContext& ctx, const std::string& commandLine) {
    if (commandLine.empty()) return;
    std::string line = CutToUtf16Units(commandLine, kMaxCommandLineChars);
    std::string first = SplitField(line);
    if (!EqualsIgnoringCase(first, "Settings")) return;
    ApplySettingsLine(ctx, "Auto Settings", line);
    ctx.settings.startedWithSettings = 1;
}

}  // namespace tinsori
