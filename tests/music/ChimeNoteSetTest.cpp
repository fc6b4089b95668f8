#include "music/ChimeNoteSet.h"

#include <gtest/gtest.h>

#include <vector>

#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/MidiTestSupport.h"
#include "midi/ports/RecordingPort.h"

namespace tinsori {
namespace {

constexpr int kOctaves = 9;
constexpr int kChromatic = 41;

class ChimeNoteSetTest : public ::testing::Test {
protected:
    ChimeNoteSetTest() : settings(random) { scales.LoadBuiltIns(); }

    std::vector<int> Notes() const {
        std::vector<int> notes;
        for (int i = 0; i < settings.chimeCount(); ++i) notes.push_back(settings.chimeNotes[i]);
        return notes;
    }

    void Use(int scaleIndex, int transpose, int baseNote, int chimes) {
        settings.scaleIndex = scaleIndex;
        settings.transpose = transpose;
        settings.baseNote = baseNote;
        settings.numChimes = chimes;
    }

    Random random;
    ChimeSettings settings;
    ScaleTable scales;
};

TEST_F(ChimeNoteSetTest, DefaultSettingsGiveTheWorkedExample) {
    BaseNoteList list = FillBaseNoteList(settings, scales, settings.baseNote);
    ComputeChimeNotes(settings, scales);

    ASSERT_EQ(list.items.size(), 47u);
    EXPECT_EQ(list.items.front().text, "C# - 0");
    EXPECT_EQ(list.items.front().note, 13);
    EXPECT_EQ(list.items[1].note, 16);
    EXPECT_EQ(list.items.back().text, "E - 9");
    EXPECT_EQ(list.items.back().note, 124);
    EXPECT_EQ(list.items[list.selected].note, 52);
    EXPECT_EQ(settings.baseNote, 52);
    EXPECT_EQ(Notes(), (std::vector<int>{52, 54, 57, 59, 61, 64, 66}));
    EXPECT_EQ(NotesInUseText(settings),
              "E - 3\r\nF# - 3\r\nA - 3\r\nB - 3\r\nC# - 4\r\nE - 4\r\nF# - 4\r\n");

    settings.shuffle = 1;
    ComputeChimeNotes(settings, scales);
    EXPECT_EQ(Notes(), (std::vector<int>{54, 52, 59, 57, 64, 61, 66}));
}

TEST_F(ChimeNoteSetTest, NotesStopAt119AndTheRestAreEmpty) {
    Use(kOctaves, 0, 12, 10);
    ComputeChimeNotes(settings, scales);
    EXPECT_EQ(Notes(), (std::vector<int>{12, 24, 36, 48, 60, 72, 84, 96, 108, kNoNote}));

    Use(kChromatic, 0, 110, 20);
    ComputeChimeNotes(settings, scales);
    std::vector<int> expected;
    for (int n = 110; n <= 119; ++n) expected.push_back(n);
    expected.resize(20, kNoNote);
    EXPECT_EQ(Notes(), expected);
    // Empty chimes show no line.
    std::string text = NotesInUseText(settings);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
}

TEST_F(ChimeNoteSetTest, ShuffleSwapsOnlyCompletePairs) {
    settings.shuffle = 1;
    settings.numChimes = 1;
    ComputeChimeNotes(settings, scales);
    EXPECT_EQ(Notes(), (std::vector<int>{52}));

    settings.numChimes = 4;
    ComputeChimeNotes(settings, scales);
    EXPECT_EQ(Notes(), (std::vector<int>{54, 52, 59, 57}));
}

TEST_F(ChimeNoteSetTest, BaseNoteSettlesOnTheNearestScaleNoteLowerOnATie) {
    EXPECT_EQ(FillBaseNoteList(settings, scales, 58).selected, 18);  // 57, not 59
    EXPECT_EQ(settings.baseNote, 57);
    FillBaseNoteList(settings, scales, 55);
    EXPECT_EQ(settings.baseNote, 54);
    FillBaseNoteList(settings, scales, 56);
    EXPECT_EQ(settings.baseNote, 57);
    // Far outside the list: its ends.
    FillBaseNoteList(settings, scales, 3);
    EXPECT_EQ(settings.baseNote, 13);
    FillBaseNoteList(settings, scales, 0);  // 0 keeps the current base note
    EXPECT_EQ(settings.baseNote, 13);
    FillBaseNoteList(settings, scales, 127);
    EXPECT_EQ(settings.baseNote, 124);
}

TEST_F(ChimeNoteSetTest, TransposeMovesBaseNoteAndChimes) {
    ChangeTranspose(settings, -2);
    FillBaseNoteList(settings, scales, 0);
    ComputeChimeNotes(settings, scales);
    EXPECT_EQ(settings.transpose, -2);
    EXPECT_EQ(settings.baseNote, 53);
    EXPECT_EQ(Notes(), (std::vector<int>{53, 55, 58, 60, 62, 65, 67}));

    ChangeTranspose(settings, 40);  // beyond the box's range
    EXPECT_EQ(settings.transpose, 12);
    EXPECT_EQ(settings.baseNote, 67);
}

TEST(ChimeCountText, LeadingIntegerAsTyped) {
    EXPECT_EQ(TypedChimeCount("0"), 0);
    EXPECT_EQ(TypedChimeCount(""), 0);
    EXPECT_EQ(TypedChimeCount("many"), 0);
    EXPECT_EQ(TypedChimeCount("-5"), -5);
    EXPECT_EQ(TypedChimeCount(" 12 chimes"), 12);
    EXPECT_EQ(TypedChimeCount("99999999999999999999999999"), kTypedChimeCountLimit);
    EXPECT_EQ(TypedChimeCount("-99999999999999999999999999"), -kTypedChimeCountLimit);
    // Only the first 19 characters count.
    EXPECT_EQ(TypedChimeCount(std::string(18, ' ') + "45"), 4);
}

// Scales that a store or a favorite may hold, beyond what the built-in table shows.
class OddScaleTest : public ChimeNoteSetTest {
protected:
    void UseOnly(const ScaleDef& scale, int baseNote, int chimes) {
        odd.AppendScale(scale);
        settings.scaleIndex = 0;
        settings.transpose = 0;
        settings.baseNote = baseNote;
        settings.numChimes = chimes;
    }
    static ScaleDef Make(int numNotes, int repeat, std::vector<int> offsets) {
        ScaleDef s;
        s.numNotes = numNotes;
        s.repeatInterval = repeat;
        std::copy(offsets.begin(), offsets.end(), s.notes.begin());
        return s;
    }
    std::vector<int> Computed() {
        ComputeChimeNotes(settings, odd);
        return Notes();
    }
    ScaleTable odd;
};

TEST_F(OddScaleTest, OffsetsThatFallBackEndTheScale) {
    UseOnly(Make(3, 12, {0, 7, 4}), 12, 4);
    EXPECT_EQ(Computed(), (std::vector<int>{12, 19, kNoNote, kNoNote}));
}

TEST_F(OddScaleTest, FarNegativeOffsetsStillReachTheRange) {
    UseOnly(Make(2, 2, {-2000000000, -1999999999}), 12, 3);
    EXPECT_EQ(Computed(), (std::vector<int>{12, 13, 14}));
}

TEST_F(OddScaleTest, HugeOffsetsAndRepeatsYieldNoNote) {
    UseOnly(Make(1, 2000000000, {2000000000}), 52, 3);
    BaseNoteList list = FillBaseNoteList(settings, odd, 0);
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(settings.baseNote, 52);
    EXPECT_EQ(Computed(), (std::vector<int>{kNoNote, kNoNote, kNoNote}));
}

TEST_F(OddScaleTest, OutOfRangeIndexAndCountStayInsideTheTables) {
    UseOnly(Make(1, 12, {0}), 12, 500);
    settings.scaleIndex = 9999;
    EXPECT_EQ(Computed().size(), 77u);
    EXPECT_EQ(settings.chimeNotes[0], 12);
    settings.scaleIndex = -4;
    settings.numChimes = -3;
    EXPECT_EQ(Computed(), (std::vector<int>{12}));
}

TEST(UpdateNotesInUse, SilencesEveryOtherNoteOnTheChannel) {
    Random random;
    ChimeSettings settings(random);
    ScaleTable scales;
    scales.LoadBuiltIns();
    ComputeChimeNotes(settings, scales);
    settings.channel = 3;
    RecordingPort recorder;
    MidiHandle handle;
    handle.open(recorder.borrow());
    test::StepWakeEvent wake;
    MidiOut midi(settings, handle, wake);

    std::string text = UpdateNotesInUse(settings, midi);

    auto sent = recorder.messages();
    ASSERT_EQ(sent.size(), 106u);
    int previous = 0;
    for (const auto& m : sent) {
        EXPECT_EQ(m.status(), 0x83);
        EXPECT_EQ(m.data2(), 120);
        EXPECT_GT(m.data1(), previous);
        for (int note : {52, 54, 57, 59, 61, 64, 66}) EXPECT_NE(m.data1(), note);
        previous = m.data1();
    }
    EXPECT_EQ(sent.front().data1(), 12);
    EXPECT_EQ(sent.back().data1(), 124);
    EXPECT_EQ(text, NotesInUseText(settings));

    handle.close();
    UpdateNotesInUse(settings, midi);
    EXPECT_EQ(recorder.size(), 106u);
}

}  // namespace
}  // namespace tinsori
