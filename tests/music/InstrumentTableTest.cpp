#include "music/InstrumentTable.h"

#include <gtest/gtest.h>

#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/MidiTestSupport.h"
#include "midi/ports/RecordingPort.h"
#include "music/HoldNotes.h"
#include "store/ProfileStore.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

class InstrumentStoreTest : public ::testing::Test {
protected:
    InstrumentStoreTest()
        : store(ProfileStore::Open(folder.file("profile.db"))), settings(random) {}

    void StoreHoldNotes(const std::string& text) {
        store->WriteString("Midi", "Hold Notes", &text);
    }
    int HoldingCount() const {
        return static_cast<int>(
            std::count(settings.holdFlags.begin(), settings.holdFlags.end(), 1));
    }

    testing_support::TempFolder folder;
    std::unique_ptr<ProfileStore> store;
    Random random;
    ChimeSettings settings;
    InstrumentTable table;
};

TEST_F(InstrumentStoreTest, NamesDefaultLoadAndSave) {
    EXPECT_EQ(table.name(0), "0 - Acoustic Grand Piano");
    EXPECT_EQ(table.name(14), "14 - Tubular Bells");
    EXPECT_EQ(table.name(127), "127 - Gunshot");
    EXPECT_EQ(table.name(300), "127 - Gunshot");

    std::string renamed = "Bells";
    store->WriteString("Midi", "Inst14", &renamed);
    std::string tooLong(200, 'z');  // more than the 127 characters read back
    store->WriteString("Midi", "Inst15", &tooLong);
    table.LoadNames(*store);
    EXPECT_EQ(table.name(14), "Bells");
    EXPECT_EQ(table.name(15), "15 - Dulcimer");
    EXPECT_EQ(table.name(16), "16 - Hammond Organ");

    table.SaveNames(*store);
    std::string read;
    store->ReadString("Midi", "Inst127", read, 510);
    EXPECT_EQ(read, "127 - Gunshot");
    EXPECT_EQ(store->ValueNames("Midi").size(), 128u);
}

TEST_F(InstrumentStoreTest, RenameChangesOnlyTheDisplayName) {
    EXPECT_TRUE(table.RenameInstrument(-1, 14, "Bells"));
    EXPECT_EQ(table.name(14), "Bells");
    EXPECT_FALSE(table.RenameInstrument(14, 3, "Bells"));
    EXPECT_TRUE(table.RenameInstrument(127, 14, "Last"));
    EXPECT_EQ(table.name(127), "Last");
    EXPECT_EQ(table.name(14), "Bells");
    // The edit field holds 126 characters at most.
    table.RenameInstrument(2, 14, std::string(300, 'q'));
    EXPECT_EQ(table.name(2), std::string(126, 'q'));
}

TEST_F(InstrumentStoreTest, HoldNotesOverwritesTheStartOfTheDefault) {
    LoadHoldFlags(*store, settings);
    EXPECT_EQ(HoldingCount(), 128);  // absent: every program holds

    StoreHoldNotes("NNN");
    LoadHoldFlags(*store, settings);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(settings.holdFlags[k], 0) << k;
    EXPECT_EQ(HoldingCount(), 124);

    StoreHoldNotes(std::string(128, 'y'));
    LoadHoldFlags(*store, settings);
    EXPECT_EQ(HoldingCount(), 128);

    std::string third(128, 'N');
    third[2] = 'Y';
    StoreHoldNotes(third);
    settings.instrument = 2;
    LoadHoldFlags(*store, settings);
    EXPECT_EQ(HoldingCount(), 1);
    EXPECT_EQ(settings.holdFlags[2], 1);
    EXPECT_EQ(settings.holdNotes, 1);

    StoreHoldNotes(std::string(256, 'N'));  // over 255 characters: ignored
    LoadHoldFlags(*store, settings);
    EXPECT_EQ(HoldingCount(), 128);

    settings.holdFlags[5] = 0;
    SaveHoldFlags(*store, settings);
    settings.holdFlags.fill(0);
    LoadHoldFlags(*store, settings);
    EXPECT_EQ(HoldingCount(), 127);
    EXPECT_EQ(settings.holdFlags[5], 0);
}

TEST_F(InstrumentStoreTest, OutOfRangeInstrumentReadsAValidFlag) {
    StoreHoldNotes(std::string(127, 'Y') + "N");
    settings.instrument = 300;
    LoadHoldFlags(*store, settings);
    EXPECT_EQ(settings.holdNotes, 0);  // program 127's flag
}

class InstrumentChangeTest : public ::testing::Test {
protected:
    InstrumentChangeTest() : settings(random), midi(settings, handle, wake) {
        handle.open(recorder.borrow());
        settings.channel = 2;
        settings.holdFlags[20] = 0;
    }
    int NoteOffs() const {
        auto sent = recorder.messages();
        return static_cast<int>(
            std::count_if(sent.begin(), sent.end(), [](const auto& m) { return m.isNoteOff(); }));
    }

    Random random;
    ChimeSettings settings;
    RecordingPort recorder;
    MidiHandle handle;
    test::StepWakeEvent wake;
    MidiOut midi;
};

TEST_F(InstrumentChangeTest, LeavingAHoldingProgramSweepsFirst) {
    OnInstrumentSelected(settings, midi, 20);
    auto sent = recorder.messages();
    ASSERT_EQ(sent.size(), 115u);
    EXPECT_EQ(NoteOffs(), 113);
    EXPECT_EQ(sent[113].status(), 0xC2);
    EXPECT_EQ(sent[113].data1(), 20);
    EXPECT_EQ(sent[114].status(), 0xB2);
    EXPECT_EQ(settings.holdNotes, 0);

    // From a program that does not hold: program and volume only.
    recorder.clear();
    OnInstrumentSelected(settings, midi, 14);
    EXPECT_EQ(recorder.size(), 2u);
    EXPECT_EQ(settings.holdNotes, 1);

    recorder.clear();
    OnInstrumentSelected(settings, midi, 999);
    EXPECT_EQ(settings.instrument, 127);
}

TEST_F(InstrumentChangeTest, ClearingHoldNotesSweepsAndTickingSendsNothing) {
    OnHoldNotesClicked(settings, midi, false);
    EXPECT_EQ(NoteOffs(), 113);
    EXPECT_EQ(settings.holdFlags[14], 0);
    EXPECT_EQ(settings.holdNotes, 0);

    recorder.clear();
    OnHoldNotesClicked(settings, midi, true);
    EXPECT_EQ(recorder.size(), 0u);
    EXPECT_EQ(settings.holdFlags[14], 1);
}

}  // namespace
}  // namespace tinsori
