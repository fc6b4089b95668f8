#include "music/ScaleTable.h"

#include <gtest/gtest.h>

namespace tinsori {
namespace {

ScaleDef Make(int id, int numNotes, int repeat, std::vector<int> offsets) {
    ScaleDef s;
    s.id = static_cast<int16_t>(id);
    s.name = "Test";
    s.numNotes = numNotes;
    s.repeatInterval = repeat;
    std::copy(offsets.begin(), offsets.end(), s.notes.begin());
    return s;
}

TEST(BuiltInScaleTable, HoldsTheFiftyNineScalesInOrder) {
    ScaleTable table;
    table.LoadBuiltIns();
    ASSERT_EQ(table.count(), kBuiltInScaleCount);
    EXPECT_EQ(table.at(0).name, "Major Pentatonic (Asia)");
    EXPECT_EQ(table.at(kBuiltInScaleCount - 1).name, "Totally Disharmonic");
    for (int i = 0; i < table.count(); ++i) {
        EXPECT_EQ(table.at(i).id, i + 1);
        // Every built-in list ascends and fits inside one repeat.
        const ScaleDef& s = table.at(i);
        for (int k = 1; k < s.numNotes; ++k) EXPECT_LT(s.notes[k - 1], s.notes[k]) << s.name;
        EXPECT_LT(s.notes[s.numNotes - 1], s.notes[0] + s.repeatInterval) << s.name;
    }
    EXPECT_EQ(table.at(52).numNotes, 9);  // Barber Shop, the longest
    EXPECT_EQ(table.at(55).repeatInterval, 27);
}

TEST(FindScale, MatchesCountRepeatAndOffsetsInTableOrder) {
    ScaleTable table;
    table.LoadBuiltIns();
    EXPECT_EQ(table.FindScale(Make(-1, 3, 12, {0, 4, 7})), 10);  // the first "Major I", not 13
    EXPECT_EQ(table.FindScale(Make(-1, 3, 24, {0, 4, 7})), std::nullopt);
    EXPECT_EQ(table.FindScale(Make(-1, 1, 1, {0})), 41);
    // Offsets beyond the count do not take part.
    EXPECT_EQ(table.FindScale(Make(-1, 2, 12, {0, 7, 99})), 7);
    EXPECT_EQ(table.FindScale(Make(-1, 4, 12, {0, 4, 7})), std::nullopt);
}

TEST(NextFreeScaleId, FillsGapsFirstAndReportsAFullTable) {
    ScaleTable table;
    EXPECT_EQ(table.NextFreeScaleId(), 1);
    for (int id : {1, 2, 4}) table.AppendScale(Make(id, 1, 12, {0}));
    EXPECT_EQ(table.NextFreeScaleId(), 3);

    for (int id = 3; id <= 127; ++id) {
        if (id == 4) continue;
        ASSERT_TRUE(table.AppendScale(Make(id, 1, 12, {0})));
    }
    EXPECT_EQ(table.count(), 127);
    EXPECT_EQ(table.NextFreeScaleId(), std::nullopt);
    EXPECT_EQ(table.AppendScale(Make(-1, 1, 12, {0})), std::nullopt);
    EXPECT_EQ(table.count(), 127);
}

TEST(AppendScale, KeepsIdsUniqueAndScalesSound) {
    ScaleTable table;
    table.LoadBuiltIns();
    auto index = table.AppendScale(Make(5, 40, -3, {0, 2}));
    ASSERT_EQ(index, kBuiltInScaleCount);
    const ScaleDef& added = table.at(*index);
    EXPECT_EQ(added.id, kBuiltInScaleCount + 1);  // 5 is taken
    EXPECT_EQ(added.numNotes, 18);
    EXPECT_EQ(added.repeatInterval, 1);
    // The same odd scale, offered again, is found rather than appended twice.
    EXPECT_EQ(table.FindScale(Make(-1, 40, -3, {0, 2})), kBuiltInScaleCount);

    auto second = table.AppendScale(Make(-1, 0, 12, {3}));
    ASSERT_EQ(second, kBuiltInScaleCount + 1);
    EXPECT_EQ(table.at(*second).id, kBuiltInScaleCount + 2);
    EXPECT_EQ(table.at(*second).numNotes, 1);
}

TEST(NumNotesFor, AlwaysAUsableCount) {
    ScaleTable table;
    EXPECT_EQ(table.NumNotesFor(0), 1);  // empty table
    table.LoadBuiltIns();
    EXPECT_EQ(table.NumNotesFor(0), 5);
    EXPECT_EQ(table.NumNotesFor(52), 9);
    EXPECT_EQ(table.NumNotesFor(-1), 5);
    EXPECT_EQ(table.NumNotesFor(1000), 4);  // the last entry
}

}  // namespace
}  // namespace tinsori
