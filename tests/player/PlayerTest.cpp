#include "player/Player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "PlayerTestSupport.h"

namespace tinsori {
namespace {

std::vector<int> NoteOnsBetween(const std::vector<RecordedMessage>& sent, size_t from, size_t to) {
    std::vector<int> notes;
    for (size_t i = from; i < to && i < sent.size(); ++i) {
        if (sent[i].isNoteOn()) notes.push_back(sent[i].data1());
    }
    return notes;
}

size_t IndexOfKind(const std::vector<RecordedMessage>& sent, int kind, size_t from = 0) {
    for (size_t i = from; i < sent.size(); ++i) {
        if (sent[i].kind() == kind) return i;
    }
    return sent.size();
}

TEST_F(PlayerTest, StartUpPlaysTheOpeningRunThenProgramAndVolumeBeforeTheFirstStrike) {
    store_->WriteInt("Midi", "Volume 0", 55);
    Player& player = MakePlayer();
    player.Start("");
    Run(1121);
    const auto beforeSettled = Sent();
    Run(60000);
    const auto sent = Sent();

    // The device's own program and volume come first, with the stored volume of the channel.
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[0].kind(), 0xC0);
    EXPECT_EQ(sent[0].data1(), 14);
    EXPECT_EQ(sent[1].kind(), 0xB0);
    EXPECT_EQ(sent[1].data1(), 7);
    EXPECT_EQ(sent[1].data2(), 55);
    // Then the thread's opening run (which sends its own program and volume) climbs through the
    // seven chimes, and the thread sends program and volume once more.
    EXPECT_EQ(sent[2].kind(), 0xC0);
    const size_t afterRun = IndexOfKind(sent, 0xC0, 3);
    const auto run = NoteOnsBetween(sent, 4, afterRun);
    EXPECT_EQ(run, (std::vector<int>{52, 54, 57, 59, 61, 64, 66}));
    ASSERT_LT(afterRun + 1, sent.size());
    EXPECT_EQ(sent[afterRun + 1].data2(), 55);
    // Nothing strikes before the thread has settled.
    EXPECT_EQ(beforeSettled.size(), afterRun + 2);
    EXPECT_GT(player.strikes(), 0u);
    EXPECT_EQ(view_.volumePosition, 55);
    EXPECT_TRUE(view_.messages.empty());
    player.ShutDownOnDestroy();
}

TEST_F(PlayerTest, VolumeFollowsTheStoredChannelBeforeAndAfterTheDeviceOpens) {
    store_->WriteInt("Settings", "Channel", 3);
    store_->WriteInt("Midi", "Volume 3", 66);
    Player& player = MakePlayer();
    EXPECT_EQ(player.settings().volume.load(), 66);
    player.Start("");
    const auto sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[1].status(), 0xB3);
    EXPECT_EQ(sent[1].data2(), 66);
    EXPECT_EQ(view_.shownChannel, 3);
    player.ShutDownOnDestroy();
}

TEST_F(PlayerTest, FailedOpenShowsTheMessageAndStillCountsTheCopy) {
    Player& player = MakePlayer(false);
    player.Start("");
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0],
              "Midi Output Device In Use|Tinsori cannot open the default MIDI output device.  "
              "Please close Tinsori, and any other applications that may be using MIDI and try "
              "again.");
    EXPECT_EQ(player.openError(), "no device here");
    EXPECT_EQ(NumOpenApps(), 1);
    Run(20000);
    EXPECT_GT(player.strikes(), 0u);
    player.ShutDownOnDestroy();
    EXPECT_EQ(NumOpenApps(), 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PlayerTest, SettingsCommandLineSkipsBothRuns) {
    Player& player = MakePlayer();
    player.Start("settings," + kFirstPresetValues);
    EXPECT_EQ(player.settings().startedWithSettings.load(), 1);
    EXPECT_EQ(player.settings().instrument.load(), 24);
    EXPECT_EQ(player.settings().numChimes.load(), 10);
    // Program changes from the device, the applied line and the thread, and no run after them.
    Run(1200);
    const auto start = Sent();
    const size_t firstNote = IndexOfKind(start, 0x90);
    EXPECT_EQ(IndexOfKind(start, 0xC0, firstNote), start.size());
    EXPECT_EQ(std::count_if(start.begin(), start.end(), [](auto& m) { return m.kind() == 0xC0; }),
              3);
    Run(30000);
    const size_t beforeExit = Sent().size();
    player.ShutDownOnDestroy();
    // Only the sweep follows: note-offs, no note-on.
    EXPECT_TRUE(NoteOnsBetween(Sent(), beforeExit, Sent().size()).empty());
}

TEST_F(PlayerTest, DestroyPlaysTheClosingRunDownwardThenSweepsSavesAndReleases) {
    Player& player = MakePlayer();
    player.Start("");
    Run(30000);
    player.OnWindSlider(600);
    const size_t beforeExit = Sent().size();
    const uint32_t exitStarted = timeline_.now();
    player.ShutDownOnDestroy();
    const auto sent = Sent();

    const auto run = NoteOnsBetween(sent, beforeExit, sent.size());
    EXPECT_EQ(run, (std::vector<int>{66, 64, 61, 59, 57, 54, 52}));
    // The sweep: 113 note-offs for 12..124 close the output.
    ASSERT_GE(sent.size(), 113u);
    for (int i = 0; i < 113; ++i) {
        const auto& m = sent[sent.size() - 113 + i];
        EXPECT_TRUE(m.isNoteOff());
        EXPECT_EQ(m.data1(), 12 + i);
    }
    // The settling wait runs its full second after the run.
    EXPECT_GE(timeline_.now(), exitStarted + 1000);
    EXPECT_EQ(store_->ReadInt("Settings", "Wind Speed", 0), 600);
    EXPECT_EQ(NumOpenApps(), 0);
    EXPECT_FALSE(player.handle().isOpen());
    EXPECT_FALSE(player.windTimerRunning());
}

TEST_F(PlayerTest, SessionEndThenDestroyRunsEachStepOnce) {
    Player& player = MakePlayer();
    player.Start("");
    Run(20000);
    player.OnWindSlider(300);
    const size_t beforeEnd = Sent().size();
    player.ShutDownOnSessionEnd();
    // No closing run at the end of a session.
    EXPECT_TRUE(NoteOnsBetween(Sent(), beforeEnd, Sent().size()).empty());
    EXPECT_EQ(NumOpenApps(), 0);
    EXPECT_EQ(store_->ReadInt("Settings", "Wind Speed", 0), 300);

    // The window stays after a refused session end: a later destroy saves what changed since,
    // but sends nothing, waits for nothing and does not close the device twice.
    player.OnWindSlider(800);
    const size_t afterEnd = Sent().size();
    const uint32_t endedAt = timeline_.now();
    player.ShutDownOnDestroy();
    EXPECT_EQ(Sent().size(), afterEnd);
    EXPECT_EQ(timeline_.now(), endedAt);
    EXPECT_EQ(store_->ReadInt("Settings", "Wind Speed", 0), 800);
    EXPECT_EQ(NumOpenApps(), 0);
}

TEST_F(PlayerTest, WindTimerMovesTheWindUntilShutDown) {
    Player& player = MakePlayer();
    player.Start("");
    EXPECT_TRUE(player.windTimerRunning());
    view_.windPositions.clear();
    Run(120000);
    EXPECT_FALSE(view_.windPositions.empty());
    player.ShutDownOnDestroy();
    const int windAtExit = player.settings().windNow;
    const size_t shown = view_.windPositions.size();
    for (int i = 0; i < 50; ++i) player.OnWindTimer();
    EXPECT_EQ(player.settings().windNow.load(), windAtExit);
    EXPECT_EQ(view_.windPositions.size(), shown);
}

TEST_F(PlayerTest, ConstantWindHoldsTheWindStill) {
    Player& player = MakePlayer();
    player.Start("");
    player.OnConstantWindClicked(true);
    view_.windPositions.clear();
    Run(60000);
    EXPECT_EQ(player.settings().windNow.load(), 404);
    EXPECT_TRUE(view_.windPositions.empty());
    player.ShutDownOnDestroy();
    EXPECT_EQ(store_->ReadInt("Settings", "Constant Wind", 0), 1);
}

TEST_F(PlayerTest, SameSeedSameMusic) {
    auto play = [this](uint32_t seed) {
        VirtualTimeline timeline;
        RecordingPort recorder(timeline);
        auto store = ProfileStore::OpenInMemoryCopy((folder_ / "absent.db").string());
        OutputOpener opener = [&recorder](std::string*) { return recorder.borrow(); };
        Player player(timeline, *store, opener, view_, seed);
        player.Start("");
        timeline.runUntil(90000, 200, [&player] { player.OnWindTimer(); });
        player.ShutDownOnDestroy();
        std::vector<std::pair<uint32_t, uint32_t>> music;
        for (const auto& m : recorder.messages()) music.emplace_back(m.tick, m.message);
        return music;
    };
    const auto first = play(7);
    EXPECT_EQ(first, play(7));
    EXPECT_NE(first, play(8));
}

TEST_F(PlayerTest, HandlersKeepValuesInTheirControlsRanges) {
    Player& player = MakePlayer();
    player.Start("");
    const size_t before = Sent().size();
    player.OnVolumeSlider(300);
    ASSERT_EQ(Sent().size(), before + 1);
    EXPECT_EQ(Sent().back().data2(), 127);
    player.OnChimeCountText("100");
    EXPECT_EQ(player.settings().numChimes.load(), 77);
    player.OnChimeCountText("abc");
    EXPECT_EQ(player.settings().numChimes.load(), 1);
    player.OnScaleSelected(10000);
    EXPECT_EQ(player.settings().scaleIndex.load(), 0);
    player.OnConfigurationChosen(3);
    EXPECT_EQ(player.settings().configuration.load(), 1);
    player.settings().chimeEnergy[5] = 2.5;
    player.OnConfigurationChosen(kChimesOnly);
    EXPECT_EQ(player.settings().configuration.load(), kChimesOnly);
    EXPECT_EQ(player.settings().chimeEnergy[5].load(), 0.0);
    player.OnClosenessSlider(0);
    EXPECT_DOUBLE_EQ(player.settings().closeness.load(), 0.1);
    player.OnLengthSlider(99999);
    EXPECT_DOUBLE_EQ(player.settings().length.load(), 2700.0);
    player.ShutDownOnDestroy();
}

TEST_F(PlayerTest, ScaleAndTransposeChangesRecomputeTheChimes) {
    Player& player = MakePlayer();
    player.Start("");
    EXPECT_EQ(player.settings().chimeNotes[0].load(), 52);
    player.OnTransposeSelected(2);
    EXPECT_EQ(player.settings().transpose, 2);
    EXPECT_GT(player.settings().chimeNotes[0].load(), 52);
    player.OnBaseNoteSelected(40);
    const int lowest = player.settings().chimeNotes[0].load();
    EXPECT_GE(lowest, 40);
    EXPECT_LT(lowest, 52);
    player.ShutDownOnDestroy();
}

TEST_F(PlayerTest, PointerStrikesEachChimeOnceUntilItLeaves) {
    Player& player = MakePlayer();
    player.Start("");
    const size_t before = Sent().size();
    player.OnPointerOverPicture(9, 17);
    player.OnPointerOverPicture(10, 20);
    auto sent = Sent();
    ASSERT_EQ(sent.size(), before + 2);  // note-off first while notes are held, then note-on
    EXPECT_TRUE(sent.back().isNoteOn());
    EXPECT_EQ(sent.back().data1(), 66);
    EXPECT_EQ(sent.back().data2(), 94);
    EXPECT_EQ(player.lastPointerChime(), 6);
    // Off the tubes re-arms, and so does leaving the picture.
    player.OnPointerOverPicture(30, 15);
    EXPECT_EQ(player.lastPointerChime(), -1);
    player.OnPointerOverPicture(9, 17);
    player.OnPointerOutsidePicture();
    player.OnPointerOverPicture(9, 17);
    EXPECT_EQ(Sent().size(), before + 6);
    player.ShutDownOnDestroy();
}

TEST_F(PlayerTest, ViewPressStrikesEachChimeOnceAsEnteredAndLightsIt) {
    Player& player = MakePlayer();
    player.Start("");
    const size_t before = Sent().size();
    player.OnViewPointer(2, 90);
    player.OnViewPointer(2, 70);  // still on it: no second strike
    player.OnViewPointer(3, 60);
    player.OnViewPointer(-1, 0);  // released or off the tubes
    player.OnViewPointer(3, 50);
    player.OnViewPointer(77, 50);  // a chime the set no longer has
    auto sent = Sent();
    ASSERT_EQ(sent.size(), before + 6);
    EXPECT_EQ(sent[before + 1].data1(), player.settings().chimeNotes[2].load());
    EXPECT_EQ(sent[before + 1].data2(), 90);
    EXPECT_EQ(sent.back().data2(), 50);
    ASSERT_EQ(player.handStrikes().total(), 3u);
    EXPECT_EQ(player.handStrikes().newest(0).chime, 3);
    EXPECT_EQ(player.handStrikes().newest(0).tick, player.tick());
    // Paused, nothing sounds and nothing lights.
    player.OnPauseCommand();
    player.OnViewPointer(1, 80);
    EXPECT_EQ(player.handStrikes().total(), 3u);
    player.ShutDownOnDestroy();
}

TEST_F(PlayerTest, ScrollEndsSetTheHelpTopicAndReleaseTheWind) {
    Player& player = MakePlayer();
    player.Start("");
    player.OnScroll(PlayerSlider::Wind, ScrollRequest::ThumbTrack, 700);
    EXPECT_EQ(player.settings().windDragging & 1, 1);
    const int held = player.settings().windNow;
    Run(5000);
    EXPECT_EQ(player.settings().windNow.load(), held);
    player.OnScroll(PlayerSlider::Wind, ScrollRequest::EndScroll, 700);
    EXPECT_EQ(player.settings().windDragging & 1, 0);
    EXPECT_EQ(player.help().Keyword(), "wind");
    EXPECT_EQ(player.settings().windSpeed, 700);
    player.ShutDownOnDestroy();
}

// Media controls give the volume as a share of the loudest; beyond either end it stops there.
TEST_F(PlayerTest, AVolumeShareMovesTheSliderAndStopsAtTheEnds) {
    Player& player = MakePlayer();
    player.OnVolumeShare(0.5);
    EXPECT_EQ(player.settings().volume, 64);
    EXPECT_EQ(view_.volumePosition, 64);
    EXPECT_DOUBLE_EQ(player.volumeShare(), 64.0 / 127);
    player.OnVolumeShare(3.0);
    EXPECT_EQ(player.settings().volume, 127);
    player.OnVolumeShare(-1.0);
    EXPECT_EQ(player.settings().volume, 0);
    player.OnVolumeShare(std::nan(""));
    EXPECT_EQ(player.settings().volume, 0);
}

// With no entry selected the typed name is the current instrument's.
TEST_F(PlayerTest, ARenameSaysWhichEntryChanged) {
    Player& player = MakePlayer();
    EXPECT_EQ(player.OnInstrumentRename(-1, "Bells"), player.settings().instrument.load());
    EXPECT_EQ(player.OnInstrumentRename(20, "Reeds"), 20);
    EXPECT_EQ(player.OnInstrumentRename(20, "Reeds"), std::nullopt);
}

TEST_F(PlayerTest, TheChimeCountBoxShowsTheCountThatPlaysOnceEditingEnds) {
    Player& player = MakePlayer();
    player.OnChimeCountText("99 chimes");
    EXPECT_EQ(view_.shownChimeCount, -1);
    player.OnChimeCountEditEnded();
    EXPECT_EQ(view_.shownChimeCount, 77);
}

// Hidden in the tray, the window is spared the wind's moves; shown, its slider catches up at once.
TEST_F(PlayerTest, AHiddenWindowGetsNoWindMovesAndCatchesUpWhenShown) {
    Player& player = MakePlayer();
    player.Start("");
    player.OnWindowSeen(false);
    const size_t before = view_.windPositions.size();
    Run(60000);
    EXPECT_EQ(view_.windPositions.size(), before);
    player.OnWindowSeen(true);
    ASSERT_EQ(view_.windPositions.size(), before + 1);
    EXPECT_EQ(view_.windPositions.back(), player.settings().windNow.load());
    player.ShutDownOnDestroy();
}

// Each box reaches its own flag; the sibling product's box reaches none.
TEST_F(PlayerTest, EachCheckBoxSetsItsOwnFlag) {
    Player& player = MakePlayer();
    ChimeSettings& s = player.settings();
    player.OnCheckBoxClicked(PlayerCheckBox::Fractal, true);
    player.OnCheckBoxClicked(PlayerCheckBox::Chords, true);
    EXPECT_EQ(std::vector<int>({s.fractal, s.chords, s.constantWind, s.shuffle}),
              std::vector<int>({1, 1, 0, 0}));
    player.OnCheckBoxClicked(PlayerCheckBox::Shuffle, true);
    player.OnCheckBoxClicked(PlayerCheckBox::ConstantWind, true);
    EXPECT_EQ(std::vector<int>({s.constantWind, s.shuffle}), std::vector<int>({1, 1}));
    const int prismora = s.prismoraEnabled;
    player.OnCheckBoxClicked(PlayerCheckBox::Prismora, prismora == 0);
    EXPECT_EQ(s.prismoraEnabled, prismora);
}

}  // namespace
}  // namespace tinsori
