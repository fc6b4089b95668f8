#include <gtest/gtest.h>

#include "music/ScaleTable.h"
#include "store/ProfileStore.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

class ScaleStoreTest : public ::testing::Test {
protected:
    ScaleStoreTest() : store(ProfileStore::Open(folder.file("profile.db"))) {}

    void StoreScale(int id, int numNotes, int repeat, std::vector<int> offsets) {
        std::string section = "Scale " + std::to_string(id);
        store->WriteInt(section, "NumNotes", numNotes);
        store->WriteInt(section, "RepeatInterval", repeat);
        for (size_t k = 0; k < offsets.size(); ++k)
            store->WriteInt(section, "Note" + std::to_string(k + 1), offsets[k]);
    }

    testing_support::TempFolder folder;
    std::unique_ptr<ProfileStore> store;
    ScaleTable table;
};

TEST_F(ScaleStoreTest, EmptyStoreGivesTheBuiltInsAndWritesNothing) {
    ASSERT_TRUE(store);
    table.LoadScales(*store);
    EXPECT_EQ(table.count(), kBuiltInScaleCount);
    EXPECT_EQ(table.at(kBuiltInScaleCount - 1).id, kBuiltInScaleCount);
    EXPECT_TRUE(store->SectionNames().empty());
}

TEST_F(ScaleStoreTest, StoredSectionsAloneMakeTheTableInIdOrder) {
    StoreScale(9, 2, 12, {0, 7});
    StoreScale(5, 3, 12, {0, 4, 7});
    store->WriteString("Scale 5", "Name", std::make_unique<std::string>("Triad").get());
    StoreScale(3, 0, 12, {0});  // a count of 0 means no scale here

    table.LoadScales(*store);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.at(0).id, 5);
    EXPECT_EQ(table.at(0).name, "Triad");
    EXPECT_EQ(table.at(1).id, 9);
    EXPECT_EQ(table.at(1).name, "Untitled");
    EXPECT_EQ(table.at(1).notes[1], 7);
    EXPECT_EQ(table.NextFreeScaleId(), 1);
}

TEST_F(ScaleStoreTest, EighteenNoteScaleRoundTrips) {
    ScaleDef longest;
    longest.id = 1;
    longest.name = "Eighteen";
    longest.numNotes = 18;
    longest.repeatInterval = 36;
    for (int k = 0; k < 18; ++k) longest.notes[k] = 2 * k;
    table.AppendScale(longest);
    table.SaveScales(*store);

    ScaleTable loaded;
    loaded.LoadScales(*store);
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded.at(0).notes, longest.notes);
    EXPECT_EQ(loaded.at(0).repeatInterval, 36);
    EXPECT_EQ(loaded.at(0).name, "Eighteen");
}

TEST_F(ScaleStoreTest, BuiltInsRoundTripUnchanged) {
    table.LoadBuiltIns();
    table.SaveScales(*store);
    EXPECT_EQ(store->ReadInt("Scale 53", "NumNotes", 0), 9);
    ScaleTable loaded;
    loaded.LoadScales(*store);
    ASSERT_EQ(loaded.count(), kBuiltInScaleCount);
    for (int i = 0; i < kBuiltInScaleCount; ++i) {
        EXPECT_EQ(loaded.at(i).name, table.at(i).name);
        EXPECT_EQ(loaded.FindScale(table.at(i)), table.FindScale(table.at(i)));
    }
}

TEST_F(ScaleStoreTest, BrokenStoredScalesLoadSound) {
    StoreScale(1, 500, 0, {0, 1, 2});
    StoreScale(2, -4, -12, {5});
    std::string longName(80, 'x');
    store->WriteString("Scale 2", "Name", &longName);

    table.LoadScales(*store);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.at(0).numNotes, 18);
    EXPECT_EQ(table.at(0).repeatInterval, 1);
    EXPECT_EQ(table.at(1).numNotes, 1);
    EXPECT_EQ(table.at(1).repeatInterval, 1);
    EXPECT_EQ(table.at(1).notes[0], 5);
    EXPECT_EQ(table.at(1).name, std::string(62, 'x'));
    EXPECT_EQ(table.NumNotesFor(0), 18);
}

}  // namespace
}  // namespace tinsori
