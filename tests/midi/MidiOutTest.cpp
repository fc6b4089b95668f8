#include "midi/MidiOut.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "MidiTestSupport.h"
#include "midi/ports/RecordingPort.h"

namespace tinsori {
namespace {

struct Sent {
    int status, data1, data2;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Sent& s) {
    return os << std::hex << s.status << std::dec << " " << s.data1 << " " << s.data2;
}

class MidiOutTest : public ::testing::Test {
protected:
    MidiOutTest() : settings(uiRandom), wake(&clock), out(settings, handle, wake) {
        recorder = std::make_unique<RecordingPort>(clock);
        handle.open(recorder->borrow());
    }

    std::vector<Sent> sent() const {
        std::vector<Sent> result;
        for (const auto& m : recorder->messages())
            result.push_back({m.status(), m.data1(), m.data2()});
        return result;
    }

    void setNotes(std::initializer_list<int> notes) {
        int i = 0;
        for (int n : notes) settings.chimeNotes[i++] = n;
        settings.numChimes = i;
    }

    Random uiRandom;
    ChimeSettings settings;
    test::ManualClock clock;
    test::StepWakeEvent wake;
    MidiHandle handle;
    std::unique_ptr<RecordingPort> recorder;
    MidiOut out;
};

TEST(PackShortMessageTest, PacksStatusAndDataLowByteFirst) {
    EXPECT_EQ(PackShortMessage(0x90 + 15, 124, 100), 0x00647C9Fu);
    // Only the low 8 bits of each input count; nothing is limited to the MIDI data range here.
    EXPECT_EQ(PackShortMessage(0x90 + 16, 300, 200), 0x00C82CA0u);
    EXPECT_EQ(PackShortMessage(-1, 0, 0), 0x000000FFu);
}

TEST_F(MidiOutTest, StrikeOrderFollowsHoldNotes) {
    settings.channel = 3;
    settings.holdNotes = 1;
    out.StrikeNote(60, 77);
    settings.holdNotes = 0;
    out.StrikeNote(61, 78);
    EXPECT_EQ(sent(),
              (std::vector<Sent>{{0x83, 60, 77}, {0x93, 60, 77}, {0x93, 61, 78}, {0x83, 61, 78}}));
}

TEST_F(MidiOutTest, StrikeSendsOnlyInsidePlayableRange) {
    for (int note : {11, 125, 128, -1, 1000}) out.StrikeNote(note, 50);
    EXPECT_TRUE(sent().empty());
    out.StrikeNote(12, 50);
    out.StrikeNote(124, 50);
    EXPECT_EQ(recorder->size(), 4u);
}

TEST_F(MidiOutTest, ProgramThenVolumeOnTheChannel) {
    settings.channel = 9;
    settings.instrument = 112;
    settings.volume = 64;
    out.SendProgramAndVolume();
    out.SendVolume();
    EXPECT_EQ(sent(), (std::vector<Sent>{{0xC9, 112, 0}, {0xB9, 7, 64}, {0xB9, 7, 64}}));
}

TEST_F(MidiOutTest, OutOfRangeSettingsNeverChangeTheMessageKind) {
    settings.channel = 16;
    settings.instrument = 300;
    settings.volume = -5;
    settings.holdNotes = 0;
    out.SendProgramAndVolume();
    out.StrikeNote(60, 200);
    EXPECT_EQ(sent(),
              (std::vector<Sent>{{0xCF, 127, 0}, {0xBF, 7, 0}, {0x9F, 60, 127}, {0x8F, 60, 127}}));
}

TEST_F(MidiOutTest, SweepIs113NoteOffsUpward) {
    out.SweepNotesOff(5);
    const auto messages = sent();
    ASSERT_EQ(messages.size(), 113u);
    for (size_t i = 0; i < messages.size(); ++i)
        EXPECT_EQ(messages[i], (Sent{0x85, 12 + static_cast<int>(i), 120}));
}

TEST_F(MidiOutTest, ClosedHandleSendsNothingButTheRunStillWaits) {
    handle.close();
    setNotes({52, 55, 57});
    EXPECT_EQ(out.SendShortMessage(0x90, 60, 60), 0);
    out.StrikeNote(60, 60);
    out.SendProgramAndVolume();
    out.SweepNotesOff(0);
    out.PlayChimeSet(81, 35);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(wake.waits, (std::vector<uint32_t>{81, 79, 77}));
    handle.open(recorder->borrow());
    EXPECT_EQ(out.SendShortMessage(0x90, 60, 60), 1);
}

TEST_F(MidiOutTest, DescendingRunReversesNotesAndKeepsPauses) {
    settings.holdNotes = 0;
    setNotes({52, 55, 57});
    out.PlayChimeSet(-81, 35);
    const auto messages = recorder->messages();
    ASSERT_EQ(messages.size(), 2u + 6u);
    const int notes[] = {57, 55, 52};
    const int velocities[] = {35, 40, 45};
    const uint32_t ticks[] = {0, 81, 160};
    for (int i = 0; i < 3; ++i) {
        const auto& on = messages[2 + 2 * i];
        EXPECT_TRUE(on.isNoteOn());
        EXPECT_EQ(on.data1(), notes[i]);
        EXPECT_EQ(on.data2(), velocities[i]);
        EXPECT_EQ(on.tick, ticks[i]);
    }
    EXPECT_EQ(wake.waits, (std::vector<uint32_t>{81, 79, 77}));
}

TEST_F(MidiOutTest, LongRunReachesPauseFloorAndVelocityCap) {
    settings.holdNotes = 0;
    settings.numChimes = 45;
    for (int i = 0; i < 45; ++i) settings.chimeNotes[i] = 40 + i;
    out.PlayChimeSet(81, 35);
    ASSERT_EQ(wake.waits.size(), 45u);
    EXPECT_EQ(wake.waits[38], 5u);  // 39th chime
    EXPECT_EQ(wake.waits[39], 4u);  // 40th chime: the floor
    EXPECT_EQ(wake.waits[44], 4u);
    std::vector<int> velocities;
    for (const auto& m : recorder->messages())
        if (m.isNoteOn()) velocities.push_back(m.data2());
    ASSERT_EQ(velocities.size(), 45u);
    EXPECT_EQ(velocities[8], 75);
    EXPECT_EQ(velocities[9], 80);  // 10th chime: the cap
    EXPECT_EQ(velocities[44], 80);
}

TEST_F(MidiOutTest, UnfilledSlotIsSkippedButWaitedFor) {
    settings.holdNotes = 0;
    setNotes({52, kNoNote, 57});
    out.PlayChimeSet(81, 35);
    std::vector<int> struck;
    for (const auto& m : recorder->messages())
        if (m.isNoteOn()) struck.push_back(m.data1());
    EXPECT_EQ(struck, (std::vector<int>{52, 57}));
    EXPECT_EQ(wake.waits, (std::vector<uint32_t>{81, 79, 77}));
}

TEST_F(MidiOutTest, RunCountIsBoundedBySlots) {
    settings.numChimes = 5000;
    out.PlayChimeSet(10, 35);
    EXPECT_EQ(wake.waits.size(), static_cast<size_t>(kMaxChimes));
    settings.numChimes = -3;
    wake.waits.clear();
    out.PlayChimeSet(-10, 35);
    EXPECT_EQ(wake.waits.size(), 1u);
}

// Counts what reached it into a total that outlives the port.
class CountingPort : public MidiPort {
public:
    explicit CountingPort(std::atomic<int>& received) : received_(received) {}
    void send(uint32_t) override { ++received_; }
    std::string describe() const override { return "counting"; }

private:
    std::atomic<int>& received_;
};

// Sends racing opens and closes must either reach a live port or be dropped and say so, never
// touch a port being deleted (the sanitizer builds catch that).
TEST(MidiHandleRaceTest, SendsRacingCloseAreDeliveredOrDropped) {
    Random random;
    ChimeSettings settings(random);
    test::StepWakeEvent wake;
    MidiHandle handle;
    MidiOut out(settings, handle, wake);
    std::atomic<bool> done{false};
    std::atomic<int> delivered{0}, received{0};
    auto sender = [&] {
        while (!done) {
            delivered += out.SendShortMessage(0x90, 60, 60);
            std::this_thread::yield();
        }
    };
    std::thread first(sender), second(sender);
    for (int i = 0; i < 1000; ++i) {
        handle.open(std::make_unique<CountingPort>(received));
        std::this_thread::yield();
        handle.close();
    }
    done = true;
    first.join();
    second.join();
    EXPECT_EQ(delivered.load(), received.load());
    EXPECT_FALSE(handle.isOpen());
}

TEST(RecordingPortTest, KeepsEverySendFromManyThreads) {
    test::ManualClock clock;
    clock.set(42);
    RecordingPort recorder(clock);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&recorder, t] {
            for (int i = 0; i < 1000; ++i) recorder.send(PackShortMessage(0x90 + t, i % 128, 1));
        });
    for (auto& thread : threads) thread.join();
    const auto messages = recorder.messages();
    ASSERT_EQ(messages.size(), 4000u);
    int perChannel[4] = {};
    for (const auto& m : messages) {
        EXPECT_EQ(m.tick, 42u);
        ++perChannel[m.channel()];
    }
    for (int count : perChannel) EXPECT_EQ(count, 1000);
}

}  // namespace
}  // namespace tinsori
