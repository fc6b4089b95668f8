#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "MidiDeviceTestSupport.h"
#include "midi/MidiDevice.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

// Copies of the program as real processes: each child opens the device with its own identity,
// tells the test it holds its channel, then waits to be killed. No store connection may be open
// in the test process while it forks.
class MidiDeviceProcessTest : public ::testing::Test {
protected:
    pid_t startHolder() {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            close(ready[0]);
            test::FakeCopy child(profile_, 0, nullptr);
            OpenMidiDevice(child.device);
            char done = 'x';
            if (write(ready[1], &done, 1) != 1) _exit(1);
            for (;;) pause();
        }
        close(ready[1]);
        char done = 0;
        EXPECT_EQ(read(ready[0], &done, 1), 1);
        close(ready[0]);
        return pid;
    }
    static void kill9(pid_t pid, bool reap) {
        kill(pid, SIGKILL);
        siginfo_t info{};
        // Without reaping, the child stays behind as a zombie.
        waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | (reap ? 0 : WNOWAIT));
    }
    std::string current(const char* name, ProfileStore& store) {
        std::string value = "<absent>";
        store.ReadString("Current", name, value, 100);
        return value;
    }

    testing_support::TempFolder folder_;
    std::string profile_ = folder_.file("profile.db");
};

TEST_F(MidiDeviceProcessTest, LiveCopyKeepsItsChannel) {
    const pid_t holder = startHolder();
    {
        test::FakeCopy self(profile_, 0, nullptr);
        EXPECT_EQ(OpenMidiDevice(self.device).channel, 1);
        EXPECT_EQ(self.store->ReadInt("Current", "NumOpenApps", 0), 2);
        CloseMidiDevice(self.device);
        EXPECT_EQ(current("Midi Device", *self.store), std::to_string(holder));
        EXPECT_EQ(current("ChannelsInUse", *self.store), "1");
    }
    kill9(holder, true);
}

TEST_F(MidiDeviceProcessTest, KilledCopysClaimIsRecovered) {
    for (bool reap : {true, false}) {
        const pid_t first = startHolder();
        const pid_t second = startHolder();  // on channel 1
        kill9(first, reap);
        test::FakeCopy self(profile_, 0, nullptr);
        EXPECT_EQ(OpenMidiDevice(self.device).channel, 0) << "reaped " << reap;
        EXPECT_EQ(self.store->ReadInt("Current", "NumOpenApps", 0), 2);
        EXPECT_EQ(current("ChannelsInUse", *self.store), "3");
        EXPECT_EQ(current("Midi Device", *self.store), std::to_string(second));
        CloseMidiDevice(self.device);
        kill9(second, true);
        if (!reap) kill9(first, true);
        self.store->DeleteSection("Current");
    }
}

TEST_F(MidiDeviceProcessTest, FourCopiesCyclingTogetherLeaveTheSectionClear) {
    constexpr int kCopies = 4, kCycles = 100;
    pid_t children[kCopies];
    for (pid_t& child : children) {
        child = fork();
        if (child == 0) {
            test::FakeCopy copy(profile_, 0, nullptr);
            int bad = 0;
            for (int i = 0; i < kCycles; ++i) {
                copy.settings.channel = 0;
                const int channel = OpenMidiDevice(copy.device).channel;
                std::string mask = "0";
                copy.store->ReadString("Current", "ChannelsInUse", mask, 20);
                bad += (std::atol(mask.c_str()) >> channel & 1) ? 0 : 1;
                CloseMidiDevice(copy.device);
            }
            _exit(bad == 0 ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto store = ProfileStore::Open(profile_);
    EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", -1), 0);
    EXPECT_EQ(store->ReadInt("Current", "ChannelsInUse", -1), 0);
    EXPECT_EQ(store->ValueNames("Current").size(), 3u);  // no holder records left behind
}

}  // namespace
}  // namespace tinsori
