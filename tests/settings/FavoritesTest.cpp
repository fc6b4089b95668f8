#include "settings/Favorites.h"

#include <gtest/gtest.h>

#include "FavoritesTestSupport.h"
#include "settings/RecentFavorites.h"
#include "support/PresetLines.h"
#include "support/PrivateMount.h"
#include "support/SettingsFields.h"

namespace tinsori::testing {
namespace {

using testing_support::FieldsOf;
using testing_support::SettingsFields;

using testing_support::kFirstPresetValues;
// A scale no built-in entry has: 0, 5 repeating every 13.
const std::string kOddScale = "14,7,40,-1,0,1,0,5000,0,404,2,13,0,5,0,1000";

class ApplySettingsLineTest : public FavoritesFixture {};

TEST_F(ApplySettingsLineTest, SetsEveryFieldAndUpdatesTheMachineInOrder) {
    settings.holdFlags[24] = 0;
    ApplySettingsLine(ctx(), "Acoustic Journey", kFirstPresetValues);

    // Scale 14 is "Major I dom 7th"; hold-notes follows the new instrument's flag.
    EXPECT_EQ(FieldsOf(settings), (SettingsFields{.instrument = 24,
                                                  .numChimes = 10,
                                                  .baseNote = 45,
                                                  .scaleIndex = 14,
                                                  .windSpeed = 579,
                                                  .windNow = 579,
                                                  .pinkness = 0.119,
                                                  .closeness = 1.0,
                                                  .holdNotes = 0}));
    EXPECT_EQ(FormatSettingsValues(settings, scales), kFirstPresetValues);

    // Old instrument held notes: sweep first, then program and volume, then the note-offs of
    // the notes that left the set.
    std::vector<RecordedMessage> sent = port.messages();
    ASSERT_GT(sent.size(), 115u);
    for (int i = 0; i < 113; ++i) ASSERT_TRUE(sent[i].isNoteOff() && sent[i].data1() == 12 + i);
    EXPECT_EQ(sent[113].kind(), 0xC0);
    EXPECT_EQ(sent[113].data1(), 24);
    EXPECT_EQ(sent[114].kind(), 0xB0);
    EXPECT_EQ(sent.size(), 115u + 113u - 10u);

    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(view.notesInUse.substr(0, 8), "A - 2\r\nC");
    EXPECT_TRUE(view.saveEnabled);
    EXPECT_TRUE(view.removeEnabled);
    EXPECT_EQ(wake.wait(0), WaitResult::Signalled);
}

TEST_F(ApplySettingsLineTest, NoSweepWhenTheOldInstrumentDidNotHold) {
    settings.holdNotes = 0;
    ApplySettingsLine(ctx(), "x", kFirstPresetValues);
    EXPECT_EQ(port.messages().front().kind(), 0xC0);
}

TEST_F(ApplySettingsLineTest, FieldFiveMinusOneAppendsTheLinesScale) {
    ApplySettingsLine(ctx(), "Rain", kOddScale);
    ASSERT_EQ(scales.count(), kBuiltInScaleCount + 1);
    EXPECT_EQ(settings.scaleIndex, kBuiltInScaleCount);
    EXPECT_EQ(scales.at(kBuiltInScaleCount).name, "Scale for Rain");
    EXPECT_EQ(scales.at(kBuiltInScaleCount).id, kBuiltInScaleCount + 1);
    EXPECT_EQ(scales.at(kBuiltInScaleCount).repeatInterval, 13);
    EXPECT_EQ(view.scaleNames, std::vector<std::string>{"Scale for Rain"});

    // Applied again, the scale is found, not added twice.
    ApplySettingsLine(ctx(), "Rain", kOddScale);
    EXPECT_EQ(scales.count(), kBuiltInScaleCount + 1);
    EXPECT_EQ(settings.scaleIndex, kBuiltInScaleCount);
}

TEST_F(ApplySettingsLineTest, FieldFiveZeroOrJunkKeepsAnExistingScale) {
    std::string zero = kOddScale;
    zero.replace(zero.find(",-1,"), 4, ",0,");
    settings.scaleIndex = 7;
    ApplySettingsLine(ctx(), "Rain", zero);
    EXPECT_EQ(settings.scaleIndex, 0);
    EXPECT_EQ(scales.count(), kBuiltInScaleCount);

    std::string junk = kOddScale;
    junk.replace(junk.find(",-1,"), 4, ",500,");
    ApplySettingsLine(ctx(), "Rain", junk);
    EXPECT_EQ(settings.scaleIndex, 0);  // not an entry of the table
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ApplySettingsLineTest, NoFreeScaleIdGivesTheNoticeAndScaleOne) {
    ScaleDef filler = scales.at(0);
    for (int id = kBuiltInScaleCount + 1; id <= kMaxScaleId; ++id) {
        filler.id = static_cast<int16_t>(id);
        ASSERT_TRUE(scales.AppendScale(filler).has_value());
    }
    ApplySettingsLine(ctx(), "Rain", kOddScale);
    EXPECT_EQ(settings.scaleIndex, 1);
    EXPECT_EQ(scales.count(), kMaxScaleId);
    EXPECT_EQ(view.messages,
              std::vector<std::string>{"Notice: Out of space for new scales.  Using different "
                                       "scale than what was intended"});
}

TEST_F(ApplySettingsLineTest, LongNamesMakeScaleNamesThatStillFit) {
    ApplySettingsLine(ctx(), std::string(127, 'n'), kOddScale);
    EXPECT_EQ(scales.at(settings.scaleIndex).name, "Scale for " + std::string(52, 'n'));
}

TEST_F(ApplySettingsLineTest, OutOfRangeFieldsNeverIndexOutsideTheArrays) {
    ApplySettingsLine(ctx(), "x", "900,500,-9,-1,40,6,0,-5,0,99999,30,0,-4,1,2,3");
    EXPECT_EQ(settings.instrument, 127);
    EXPECT_EQ(settings.numChimes, kMaxChimes);
    EXPECT_EQ(settings.transpose, 12);
    EXPECT_EQ(settings.configuration, 1);
    EXPECT_EQ(settings.windNow, 940);
    EXPECT_GE(settings.scaleIndex, 0);
    EXPECT_LT(settings.scaleIndex, scales.count());
    for (int i = 0; i < kMaxChimes; ++i) {
        int note = settings.chimeNotes[i];
        EXPECT_TRUE(note == kNoNote || (note >= 12 && note <= 119)) << note;
    }
}

class FavoritesListTest : public FavoritesFixture {
protected:
    void Save(const std::string& typed) {
        view.editText = typed;
        OnSaveSettings(ctx());
    }
    std::string Slot(int i) { return ReadString("Favorites", "Favorite" + std::to_string(i)); }
    int Last() { return store().ReadInt("Favorites", "Last", 0); }
};

TEST_F(FavoritesListTest, SavingStoresTheNameAndSelectsIt) {
    Save("  Rain, Heavy");
    EXPECT_EQ(Slot(1), "Rain\xEF\xBE\xAB Heavy," + FormatSettingsValues(settings, scales));
    EXPECT_EQ(Last(), 1);
    EXPECT_EQ(view.entries, std::vector<std::string>{"Rain, Heavy"});
    EXPECT_EQ(view.SelectedFavorite(), "Rain, Heavy");
    EXPECT_TRUE(view.removeEnabled);
    EXPECT_EQ(ReadRecentFavorite(store(), 0), "Rain, Heavy");

    // After a restart the list still shows the comma and selects the matching favorite.
    ReopenStore();
    TestFavoritesView fresh;
    FavoritesContext again{settings, scales, store(), midi, wake, fresh};
    LoadFavoritesList(again);
    EXPECT_EQ(fresh.entries, std::vector<std::string>{"Rain, Heavy"});
    EXPECT_EQ(fresh.SelectedFavorite(), "Rain, Heavy");
    EXPECT_TRUE(fresh.saveEnabled && fresh.removeEnabled);
}

// A favorite the profile does not take (a full disk) is said so, and not listed as if it were.
TEST_F(FavoritesListTest, AFavoriteTheProfileRefusesIsNotListed) {
    const std::string disk = Folder() + "/disk";
    std::filesystem::create_directory(disk);
    testing_support::PrivateMount small(disk, testing_support::PrivateMount::kSmallDisk, 1 << 18);
    if (!small.ready()) GTEST_SKIP() << small.why();
    OpenStoreAt(disk + "/profile.db");
    testing_support::PrivateMount::Fill(disk + "/filler");
    Save("Rain");
    EXPECT_TRUE(view.entries.empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("The favorite could not be saved"), std::string::npos);
}

TEST_F(FavoritesListTest, EmptyOrBlankNamesSaveNothing) {
    Save("");
    Save("    ");
    EXPECT_EQ(Slot(1), "");
    EXPECT_TRUE(view.entries.empty());
}

TEST_F(FavoritesListTest, PastedControlCharactersCannotSplitTheStoredLine) {
    Save("\tRain\nHeavy");
    EXPECT_EQ(Slot(1), "Rain Heavy," + FormatSettingsValues(settings, scales));
    view.entries.clear();
    view.selected.reset();
    LoadFavoritesList(ctx());
    EXPECT_EQ(view.entries, std::vector<std::string>{"Rain Heavy"});
    EXPECT_EQ(view.SelectedFavorite(), "Rain Heavy");
}

TEST_F(FavoritesListTest, SavingAnExistingNameAsksBeforeReplacing) {
    Save("Rain");
    settings.instrument = 5;
    view.answers = {false};
    Save("Rain");
    EXPECT_EQ(view.questions,
              std::vector<std::string>{
                  "Replace a Favorite: Are you sure you wish to replace the favorite preset "
                  "\"Rain\"?"});
    EXPECT_EQ(Slot(1).substr(0, 7), "Rain,14");  // No: unchanged

    Save("Rain");  // Yes
    EXPECT_EQ(Slot(1).substr(0, 6), "Rain,5");
    EXPECT_EQ(Slot(2), "");
    EXPECT_EQ(view.entries.size(), 1u);
    EXPECT_EQ(RecentFavoriteCount(store()), 1);

    Save("rain");  // names compare with case: a second favorite
    EXPECT_EQ(Slot(2).substr(0, 5), "rain,");
    EXPECT_EQ(view.questions.size(), 2u);
}

TEST_F(FavoritesListTest, ARemovedSlotIsReusedAndLastNeverFalls) {
    Save("A");
    Save("B");
    Save("C");
    view.SelectFavorite("B");
    OnRemoveFavorite(ctx());
    EXPECT_EQ(Slot(2), "");
    EXPECT_EQ(Last(), 3);
    EXPECT_EQ(view.entries, (std::vector<std::string>{"A", "C"}));
    EXPECT_FALSE(view.selected.has_value());

    Save("D");
    EXPECT_EQ(Slot(2).substr(0, 2), "D,");
    EXPECT_EQ(Last(), 3);
}

TEST_F(FavoritesListTest, RemoveAsksAndOnlyYesRemoves) {
    Save("Rain");
    Save("Snow");
    view.SelectFavorite("Rain");
    view.answers = {false};
    OnRemoveFavorite(ctx());
    EXPECT_EQ(view.questions.back(),
              "Remove a Favorite: Are you sure you wish to remove the favorite preset \"Rain\"?");
    EXPECT_NE(Slot(1), "");

    OnRemoveFavorite(ctx());
    EXPECT_EQ(Slot(1), "");
    EXPECT_EQ(ReadRecentFavorite(store(), 0), "");  // gap left in the recent list
    EXPECT_EQ(ReadRecentFavorite(store(), 1), "Snow");

    // A selection whose stored line has gone does nothing.
    view.AddFavorite("Ghost");
    view.SelectFavorite("Ghost");
    OnRemoveFavorite(ctx());
    EXPECT_EQ(view.questions.size(), 2u);
}

TEST_F(FavoritesListTest, NoFreeSlotShowsSorry) {
    for (int i = 1; i <= 4; ++i) WriteString("Favorites", "Favorite" + std::to_string(i), "F,1");
    store().WriteInt("Favorites", "Last", 3);
    Save("New");
    EXPECT_EQ(view.messages, std::vector<std::string>{
                                 "Sorry: All 128 favorties have been filled.  Please remove your "
                                 "'least' favorite first."});
    EXPECT_EQ(Slot(5), "");
    EXPECT_TRUE(view.entries.empty());

    // Every slot taken: a damaged "Last" cannot push the scan past them.
    for (int i = 5; i <= kFavoriteSlots; ++i)
        WriteString("Favorites", "Favorite" + std::to_string(i), "F,1");
    store().WriteInt("Favorites", "Last", 2147483647);
    Save("New");
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(FavoritesListTest, LongNamesAndLines) {
    Save(std::string(140, 'x'));
    EXPECT_EQ(Slot(1).find(','), 127u);

    // A stored line of 254 characters is read back; one of 255 is not.
    std::string values = FormatSettingsValues(settings, scales);
    std::string name254(254 - 1 - values.size(), 'y');
    std::string name255(255 - 1 - values.size(), 'z');
    WriteString("Favorites", "Favorite2", name254 + "," + values);
    WriteString("Favorites", "Favorite3", name255 + "," + values);
    store().WriteInt("Favorites", "Last", 3);
    view.entries.clear();
    view.selected.reset();
    LoadFavoritesList(ctx());
    EXPECT_EQ(view.entries.size(), 2u);
    EXPECT_NE(std::find(view.entries.begin(), view.entries.end(), name254), view.entries.end());

    // The unreadable line is not listed, yet a new favorite never goes over it.
    Save("New");
    EXPECT_EQ(Slot(3), name255 + "," + values);
    EXPECT_EQ(Slot(4).substr(0, 4), "New,");
}

TEST_F(FavoritesListTest, FindingTheCurrentAndTheSelectedFavorite) {
    WriteString("Favorites", "Favorite1", "One," + kFirstPresetValues);
    WriteString("Favorites", "Favorite2", "Other,1,2,3");
    WriteString("Favorites", "Favorite4", "Two\xEF\xBE\xAB 2," + kFirstPresetValues);
    store().WriteInt("Favorites", "Last", 3);  // the scan still reaches 4
    ApplySettingsLine(ctx(), "x", kFirstPresetValues);
    std::string name;
    EXPECT_EQ(FindCurrentFavorite(ctx(), &name), 4);  // the highest index wins
    EXPECT_EQ(name, "Two, 2");

    EXPECT_EQ(FindSelectedFavorite(ctx()), -1);
    view.AddFavorite("Other");
    view.SelectFavorite("Other");
    EXPECT_EQ(FindSelectedFavorite(ctx()), 2);
    view.AddFavorite("other");
    view.SelectFavorite("other");
    EXPECT_EQ(FindSelectedFavorite(ctx()), -1);  // stored names compare with case
}

TEST_F(FavoritesListTest, SelectingAnEntryAppliesIt) {
    WriteString("Favorites", "Favorite1", "Journey," + kFirstPresetValues);
    store().WriteInt("Favorites", "Last", 1);
    LoadFavoritesList(ctx());
    EXPECT_FALSE(view.selected.has_value());  // nothing matches the defaults
    EXPECT_FALSE(view.saveEnabled || view.removeEnabled);

    view.SelectFavorite("Journey");
    OnFavoritesSelChange(ctx());
    EXPECT_EQ(settings.instrument, 24);
    EXPECT_EQ(ReadRecentFavorite(store(), 0), "Journey");
}

TEST_F(FavoritesListTest, RecoverLastIndexRepairsOnlyAZeroCounter) {
    WriteString("Favorites", "Favorite3", "A,1");
    WriteString("Favorites", "Favorite9", "B,1");
    RecoverLastIndex(store(), "Favorites", "Favorite");
    EXPECT_EQ(Last(), 9);

    WriteString("Favorites", "Favorite12", "C,1");
    RecoverLastIndex(store(), "Favorites", "Favorite");
    EXPECT_EQ(Last(), 9);  // not 0: left alone

    RecoverLastIndex(store(), "Prismora", "Pattern");
    EXPECT_EQ(store().ReadInt("Prismora", "Last", -1), 0);
}

}  // namespace
}  // namespace tinsori::testing
