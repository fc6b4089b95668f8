#include "settings/SettingsPersistence.h"

#include <gtest/gtest.h>

#include "store/ProfileStoreTestSupport.h"

namespace tinsori {
namespace {

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
    const ChimeSettings& s = loaded->settings;
    EXPECT_EQ(s.instrument, 14);
    EXPECT_EQ(s.channel, 0);
    EXPECT_EQ(s.numChimes, 7);
    EXPECT_EQ(s.baseNote, 52);
    EXPECT_EQ(s.transpose, -3);
    EXPECT_EQ(s.windSpeed, 404);
    EXPECT_EQ(s.windNow, 404);
    EXPECT_EQ(s.pinkness, 1.0);
    EXPECT_EQ(s.length, 1500.0);
    EXPECT_EQ(s.closeness, 1.533);
    EXPECT_EQ(s.configuration, kCenterPendulum);
    EXPECT_EQ(s.shuffle + s.fractal + s.chords + s.constantWind, 0);
    EXPECT_EQ(s.prismoraEnabled, 1);
    EXPECT_EQ(s.holdNotes, 1);
    EXPECT_EQ(loaded->scales.count(), 59);
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
    EXPECT_EQ(store->ReadInt("Scale 59", "NumNotes", 0), 4);

    auto again = Load();
    const ChimeSettings& t = again->settings;
    EXPECT_EQ(t.instrument, 20);
    EXPECT_EQ(t.windSpeed, 700);
    EXPECT_EQ(t.windNow, 700);
    EXPECT_EQ(t.channel, 5);
    EXPECT_EQ(t.baseNote, 60);
    EXPECT_EQ(t.scaleIndex, 37);
    EXPECT_EQ(t.numChimes, 12);
    EXPECT_DOUBLE_EQ(t.pinkness, 0.1234);
    EXPECT_EQ(t.length, 2000.0);
    EXPECT_EQ(t.closeness, 1.0);
    EXPECT_EQ(t.configuration, kQuantized);
    EXPECT_EQ(t.shuffle, 1);
    EXPECT_EQ(t.fractal, 0);
    EXPECT_EQ(t.chords, 1);
    EXPECT_EQ(t.transpose, 4);
    EXPECT_EQ(t.constantWind, 1);
    EXPECT_EQ(t.prismoraEnabled, 0);
    EXPECT_EQ(t.holdNotes, 0);
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
        {"Scale Using", 59, 0, [](S s) -> double { return s.scaleIndex; }},
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
