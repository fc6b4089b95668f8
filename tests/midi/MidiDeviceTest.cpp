#include "midi/MidiDevice.h"

#include <gtest/gtest.h>

#include "MidiDeviceTestSupport.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

using test::FakeCopy;
using test::FakeProcesses;

class MidiDeviceTest : public ::testing::Test {
protected:
    std::unique_ptr<FakeCopy> copy(long pid, int wantedChannel = 0) {
        return std::make_unique<FakeCopy>(profile_, pid, &processes_, wantedChannel);
    }
    std::string text(const char* name) {
        std::string value = "<absent>";
        ProfileValueKind kind = view_->ReadString("Current", name, value, 100);
        return kind == kKindInteger ? "int " + std::to_string(view_->ReadInt("Current", name, -1))
                                    : value;
    }
    int32_t openApps() { return view_->ReadInt("Current", "NumOpenApps", -99); }

    testing_support::TempFolder folder_;
    std::string profile_ = folder_.file("profile.db");
    FakeProcesses processes_;
    std::unique_ptr<ProfileStore> view_ = ProfileStore::Open(profile_);
};

TEST_F(MidiDeviceTest, FirstCopyTakesItsChannelAndSendsProgramAndVolume) {
    auto a = copy(100);
    a->settings.instrument = 14;
    a->settings.volume = 90;
    const DeviceOpenResult result = OpenMidiDevice(a->device);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.channel, 0);
    EXPECT_EQ(openApps(), 1);
    EXPECT_EQ(text("Midi Device"), "100");
    EXPECT_EQ(text("ChannelsInUse"), "1");
    EXPECT_EQ(a->settings.saveChannel, 1);
    const auto sent = a->recorder.messages();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].status(), 0xC0);
    EXPECT_EQ(sent[0].data1(), 14);
    EXPECT_EQ(sent[1].status(), 0xB0);
    EXPECT_EQ(sent[1].data2(), 90);
}

TEST_F(MidiDeviceTest, LaterCopiesMoveUpToFreeChannels) {
    auto a = copy(100), b = copy(200), c = copy(300, 1);
    OpenMidiDevice(a->device);
    EXPECT_EQ(OpenMidiDevice(b->device).channel, 1);
    EXPECT_EQ(b->settings.saveChannel, 0);  // a moved channel is not saved at exit
    EXPECT_EQ(openApps(), 2);
    EXPECT_EQ(text("ChannelsInUse"), "3");
    EXPECT_EQ(text("Midi Device"), "100");
    EXPECT_EQ(OpenMidiDevice(c->device).channel, 2);
    EXPECT_EQ(text("ChannelsInUse"), "7");
    EXPECT_EQ(b->recorder.messages().at(0).channel(), 1);
}

TEST_F(MidiDeviceTest, ChannelSearchStopsAfterFourteenMoves) {
    auto a = copy(100), b = copy(200, 5);
    OpenMidiDevice(a->device);
    const std::string allButFour = std::to_string(0xFFFF & ~(1 << 4));
    view_->WriteString("Current", "ChannelsInUse", &allButFour);
    EXPECT_EQ(OpenMidiDevice(b->device).channel, 3);
}

TEST_F(MidiDeviceTest, ClosingHandsOnAndTheLastCopyClearsTheSection) {
    auto a = copy(100), b = copy(200), c = copy(300);
    OpenMidiDevice(a->device);
    OpenMidiDevice(b->device);
    OpenMidiDevice(c->device);
    CloseMidiDevice(b->device);
    EXPECT_FALSE(b->handle.isOpen());
    EXPECT_TRUE(a->handle.isOpen());
    EXPECT_EQ(openApps(), 2);
    EXPECT_EQ(text("ChannelsInUse"), "5");
    // The named holder leaves first: a remaining copy is named, and claims stay.
    CloseMidiDevice(a->device);
    EXPECT_EQ(text("Midi Device"), "300");
    EXPECT_EQ(text("ChannelsInUse"), "4");
    auto d = copy(400);
    EXPECT_EQ(OpenMidiDevice(d->device).channel, 0);
    EXPECT_EQ(text("ChannelsInUse"), "5");
    CloseMidiDevice(c->device);
    CloseMidiDevice(d->device);
    EXPECT_EQ(openApps(), 0);
    EXPECT_EQ(text("Midi Device"), "int 0");
    EXPECT_EQ(text("ChannelsInUse"), "int 0");
    EXPECT_TRUE(view_->ValueNames("Current").size() == 3u);
}

TEST_F(MidiDeviceTest, FailedOpenStillCountsAndClaimsUntilClosed) {
    auto a = copy(100), b = copy(200);
    b->failOpen = true;
    OpenMidiDevice(a->device);
    const DeviceOpenResult result = OpenMidiDevice(b->device);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.error, "busy");
    EXPECT_EQ(result.channel, 1);
    EXPECT_EQ(openApps(), 2);
    EXPECT_EQ(text("ChannelsInUse"), "3");
    EXPECT_EQ(b->recorder.size(), 0u);
    CloseMidiDevice(b->device);
    EXPECT_EQ(openApps(), 1);
    EXPECT_EQ(text("ChannelsInUse"), "1");
}

TEST_F(MidiDeviceTest, VanishedCopiesLoseTheirClaimsAndLiveOnesKeepThem) {
    auto a = copy(100), b = copy(200), c = copy(300);
    OpenMidiDevice(a->device);
    OpenMidiDevice(b->device);
    OpenMidiDevice(c->device);
    // The named holder dies without closing: the section is rebuilt from b and c.
    processes_.alive.erase(100);
    auto d = copy(400);
    EXPECT_EQ(OpenMidiDevice(d->device).channel, 0);
    EXPECT_EQ(openApps(), 3);
    EXPECT_EQ(text("ChannelsInUse"), "7");
    EXPECT_NE(text("Midi Device"), "100");
    // Everyone dies: the next copy is the only user.
    processes_.alive.clear();
    auto e = copy(500, 2);
    EXPECT_EQ(OpenMidiDevice(e->device).channel, 2);
    EXPECT_EQ(openApps(), 1);
    EXPECT_EQ(text("ChannelsInUse"), "4");
    EXPECT_EQ(text("Midi Device"), "500");
}

TEST_F(MidiDeviceTest, ReusedProcessIdIsNotTheOldHolder) {
    auto a = copy(100);
    OpenMidiDevice(a->device);
    // Same id, another start time: the old claim is stale.
    auto b = copy(100);
    b->device.self.startTime = 1;
    b->device.isAlive = [](const ProcessIdentity& id) { return id.startTime == 1; };
    EXPECT_EQ(OpenMidiDevice(b->device).channel, 0);
    EXPECT_EQ(openApps(), 1);
}

TEST_F(MidiDeviceTest, ChannelChangeMovesVolumesAndSnapsBackWhenTaken) {
    auto a = copy(100, 2), b = copy(200, 3);
    view_->WriteInt("Midi", "Volume 4", 55);
    OpenMidiDevice(a->device);
    OpenMidiDevice(b->device);
    a->settings.volume = 101;
    a->recorder.clear();

    ChannelChangeResult result = ChangeMidiChannel(a->device, 3);  // b plays there
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(result.channel, 2);
    EXPECT_EQ(a->recorder.size(), 0u);

    result = ChangeMidiChannel(a->device, 4);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.volume, 55);
    EXPECT_EQ(a->settings.channel, 4);
    EXPECT_EQ(view_->ReadInt("Midi", "Volume 2", 0), 101);
    EXPECT_EQ(text("ChannelsInUse"), std::to_string((1 << 3) | (1 << 4)));
    const auto sent = a->recorder.messages();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0].status(), 0xC4);
    EXPECT_EQ(sent[1].status(), 0xB4);
    EXPECT_EQ(sent[1].data2(), 55);
    // Held notes on the old channel are swept off.
    EXPECT_EQ(sent.back().status(), 0x82);

    result = ChangeMidiChannel(a->device, 5);
    EXPECT_EQ(result.volume, 80);  // absent: the default
    CloseMidiDevice(a->device);
    EXPECT_EQ(text("ChannelsInUse"), "8");
}

TEST_F(MidiDeviceTest, ChannelChangeWhilePausedClaimsNothingUntilContinue) {
    auto a = copy(100), b = copy(200);
    OpenMidiDevice(a->device);
    OpenMidiDevice(b->device);
    CloseMidiDevice(a->device);
    a->settings.paused = 1;
    EXPECT_TRUE(ChangeMidiChannel(a->device, 1).changed);  // b's channel, but a plays nowhere
    EXPECT_EQ(text("ChannelsInUse"), "2");
    a->settings.paused = 0;
    EXPECT_EQ(OpenMidiDevice(a->device).channel, 2);
}

TEST_F(MidiDeviceTest, StoredVolumesAreBroughtIntoRange) {
    view_->WriteInt("Midi", "Volume 1", 500);
    view_->WriteInt("Midi", "Volume 2", -3);
    EXPECT_EQ(StoredChannelVolume(*view_, 1), 127);
    EXPECT_EQ(StoredChannelVolume(*view_, 2), 0);
    EXPECT_EQ(StoredChannelVolume(*view_, 3), 80);
}

TEST_F(MidiDeviceTest, OutOfRangeStoredChannelIsClamped) {
    auto a = copy(100, 40);
    EXPECT_EQ(OpenMidiDevice(a->device).channel, 15);
    EXPECT_EQ(text("ChannelsInUse"), std::to_string(1 << 15));
}

}  // namespace
}  // namespace tinsori
