#include "settings/SettingsPersistence.h"

#include <gtest/gtest.h>

#include "support/SettingsFields.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

using testing_support::FieldsOf;
using testing_support::SettingsFields;

class SettingsPersistenceTest : public ::testing::Test {
protected:
    SettingsPersistenceTest() : store(ProfileStore::Open(folder.file("profile.db"))) {}

    void Store(const char* name, int32_t value) { store->WriteInt("Settings", name, value); }
    int32_t Stored(const char* name) { return store->ReadInt("Settings", name, -999); }

    // A fresh record loaded from the store, as the dialog's constructor makes it.
    struct Loaded {
        Random random;
        ChimeSettings settings{random};
        ScaleTable scales;
    };
    std::unique_ptr<Loaded> Load() {
        auto loaded = std::make_unique<Loaded>();
        LoadSettings(*store, loaded->settings, loaded->scales);
        return loaded;
    }

    testing_support::TempFolder folder;
    std::unique_ptr<ProfileStore> store;
};

TEST_F(SettingsPersistenceTest, EmptyStoreGivesTheDefaults) {
    auto loaded = Load();
    EXPECT_EQ(FieldsOf(loaded->settings), SettingsFields{});
    EXPECT_EQ(loaded->scales.count(), kBuiltInScaleCount);
    EXPECT_EQ(StoredVolume(*store, 0), 80);
}

TEST_F(SettingsPersistenceTest, SaveThenLoadRoundTrips) {
    auto first = Load();
    ChimeSettings& s = first->settings;
    s.instrument = 20;
    s.windSpeed = 700;
    s.channel = 5;
    s.volume = 99;
    s.baseNote = 60;
    s.scaleIndex = 37;
    s.numChimes = 12;
    s.pinkness = 0.12345;
    s.length = 2000.9;
    s.closeness = 1.0005;
    s.configuration = kQuantized;
    s.shuffle = 1;
    s.chords = 1;
    s.transpose = 4;
    s.constantWind = 1;
    s.prismoraEnabled = 0;
    s.holdFlags[20] = 0;
    InstrumentTable instruments;
    instruments.RenameInstrument(20, 20, "Reeds");
    SaveSettings(*store, s, first->scales, instruments);

    EXPECT_EQ(Stored("Pinkness"), 1234);
    EXPECT_EQ(Stored("Closeness"), 1000);
    EXPECT_EQ(Stored("Length"), 2000);
    EXPECT_EQ(store->ReadInt("Midi", "Volume 5", -1), 99);
    EXPECT_EQ(store->ReadInt("Scale " + std::to_string(kBuiltInScaleCount), "NumNotes", 0), 4);

    auto again = Load();
    // Stored as integers: pinkness in 1/10000, closeness in 1/1000, length in whole ms.
    EXPECT_EQ(FieldsOf(again->settings), (SettingsFields{.instrument = 20,
                                                         .channel = 5,
                                                         .numChimes = 12,
                                                         .baseNote = 60,
                                                         .scaleIndex = 37,
                                                         .transpose = 4,
                                                         .windSpeed = 700,
                                                         .windNow = 700,
                                                         .pinkness = 0.1234,
                                                         .length = 2000.0,
                                                         .closeness = 1.0,
                                                         .configuration = kQuantized,
                                                         .shuffle = 1,
                                                         .chords = 1,
                                                         .constantWind = 1,
                                                         .prismoraEnabled = 0,
                                                         .holdNotes = 0}));
    EXPECT_EQ(StoredVolume(*store, 5), 99);
    InstrumentTable names;
    names.LoadNames(*store);
    EXPECT_EQ(names.name(20), "Reeds");
}

TEST_F(SettingsPersistenceTest, MovedChannelIsNotSaved) {
    auto loaded = Load();
    loaded->settings.channel = 1;
    loaded->settings.saveChannel = 0;
    SaveSettings(*store, loaded->settings, loaded->scales, InstrumentTable{});
    EXPECT_EQ(Stored("Channel"), -999);
    EXPECT_EQ(store->ReadInt("Midi", "Volume 1", -1), 80);
}

// One stored value and the member it must load as.
struct RangeCase {
    const char* value;
    int32_t stored;
    double expected;
    double (*member)(const ChimeSettings&);
};

TEST_F(SettingsPersistenceTest, StoredValuesOutOfRangeLoadSound) {
    using S = const ChimeSettings&;
    const RangeCase high[] = {
        {"Num Chimes", 500, 77, [](S s) -> double { return s.numChimes; }},
        {"Instrument", 300, 127, [](S s) -> double { return s.instrument; }},
        {"Pinkness", -1, 1.0, [](S s) -> double { return s.pinkness; }},
        {"Closeness", 9000, 3.2, [](S s) -> double { return s.closeness; }},
        {"Length", 100000, 2700, [](S s) -> double { return s.length; }},
        {"Wind Speed", 5000, 940, [](S s) -> double { return s.windNow; }},
        {"Channel", 99, 0, [](S s) -> double { return s.channel; }},
        {"Configuration", 3, kCenterPendulum, [](S s) -> double { return s.configuration; }},
        {"Scale Using", kBuiltInScaleCount, 0, [](S s) -> double { return s.scaleIndex; }},
        {"Transpose", 40, 12, [](S s) -> double { return s.transpose; }},
        {"Base Note", 300, 124, [](S s) -> double { return s.baseNote; }},
        {"Shuffle", 7, 1, [](S s) -> double { return s.shuffle; }},
    };
    const RangeCase low[] = {
        {"Num Chimes", 0, 1, high[0].member},    {"Closeness", 0, 0.1, high[3].member},
        {"Length", 0, 650, high[4].member},      {"Wind Speed", -5, 2, high[5].member},
        {"Channel", -1, 0, high[6].member},      {"Scale Using", -1, 0, high[8].member},
        {"Transpose", -40, -12, high[9].member}, {"Base Note", -7, 12, high[10].member},
    };
    for (const auto& cases : {std::vector<RangeCase>(std::begin(high), std::end(high)),
                              std::vector<RangeCase>(std::begin(low), std::end(low))}) {
        for (const RangeCase& c : cases) Store(c.value, c.stored);
        auto loaded = Load();
        for (const RangeCase& c : cases)
            EXPECT_EQ(c.member(loaded->settings), c.expected) << c.value << " " << c.stored;
    }

    // The save writes the sane values back, and a stored volume is kept in range too.
    store->WriteInt("Midi", "Volume 0", 1000);
    auto loaded = Load();
    EXPECT_EQ(loaded->settings.volume, 127);
    SaveSettings(*store, loaded->settings, loaded->scales, InstrumentTable{});
    EXPECT_EQ(Stored("Num Chimes"), 1);
    EXPECT_EQ(Stored("Instrument"), 127);
    EXPECT_EQ(Stored("Pinkness"), 10000);
}

TEST_F(SettingsPersistenceTest, ScaleUsingIsAPositionInTheStoredTable) {
    for (int id : {5, 9}) {
        std::string section = "Scale " + std::to_string(id);
        store->WriteInt(section, "NumNotes", 1);
    }
    Store("Scale Using", 1);
    auto loaded = Load();
    EXPECT_EQ(loaded->scales.count(), 2);
    EXPECT_EQ(loaded->settings.scaleIndex, 1);
    Store("Scale Using", 2);
    EXPECT_EQ(Load()->settings.scaleIndex, 0);
}

}  // namespace
}  // namespace tinsori
