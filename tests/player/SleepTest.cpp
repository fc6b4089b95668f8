// The sleep timer's fade-out, on the virtual timeline.

#include <gtest/gtest.h>

#include <cmath>

#include "PlayerTestSupport.h"

namespace tinsori {
namespace {

class SleepTest : public PlayerTest {
protected:
    // The channel-volume messages sent from `from` on, as (tick, value).
    std::vector<std::pair<uint32_t, int>> Volumes(uint32_t from = 0) const {
        std::vector<std::pair<uint32_t, int>> volumes;
        for (const auto& m : Sent())
            if (m.kind() == 0xB0 && m.data1() == 7 && m.tick >= from)
                volumes.emplace_back(m.tick, m.data2());
        return volumes;
    }
};

TEST_F(SleepTest, FadeFallsInEqualLoudnessStepsThenPausesAtTheUsersVolume) {
    store_->WriteInt("Midi", "Volume 0", 100);
    Player& player = MakePlayer();
    player.Start("");
    Run(1000);
    player.StartSleep(180000, SleepEnd::Pause);  // ends at 181000, fades from 121000
    Run(121000);
    EXPECT_TRUE(Volumes(2000).empty());
    Run(185000);

    const auto fade = Volumes(121000);
    ASSERT_GT(fade.size(), 60u);
    EXPECT_EQ(fade.back(), std::make_pair(181000u, 0));
    for (size_t i = 1; i < fade.size(); ++i) {
        EXPECT_LE(fade[i].second, fade[i - 1].second) << fade[i].first;
        EXPECT_LE(fade[i].first - fade[i - 1].first, 1000u) << fade[i].first;
    }
    // Halfway through in decibels, not in values: about the square root of the volume.
    for (const auto& [tick, value] : fade) {
        if (tick >= 151000) {
            EXPECT_NEAR(value, 10, 1);
            break;
        }
    }
    EXPECT_TRUE(player.paused());
    EXPECT_FALSE(player.handle().isOpen());
    EXPECT_EQ(player.settings().volume.load(), 100);

    player.OnPauseCommand();
    player.AwaitOutput();
    EXPECT_EQ(Sent().back().data2(), 100);
    player.ShutDownOnDestroy();
    EXPECT_EQ(store_->ReadInt("Midi", "Volume 0", 0), 100);
}

TEST_F(SleepTest, WithoutAWindowTheSleepEndsPlayAndTheClosingRunStaysSilent) {
    Player& player = MakePlayer();
    player.Start("");
    player.StartSleep(30000, SleepEnd::Stop);  // shorter than a minute: it fades all along
    Run(600);
    ASSERT_FALSE(Volumes(200).empty());
    EXPECT_LT(Volumes(200).back().second, 80);
    Run(29900);
    EXPECT_FALSE(player.sleepEnded());
    Run(31000);
    EXPECT_TRUE(player.sleepEnded());
    EXPECT_FALSE(player.paused());

    player.ShutDownOnDestroy();
    const auto closing = Volumes(30000);
    ASSERT_GE(closing.size(), 2u);
    for (const auto& [tick, value] : closing) EXPECT_EQ(value, 0) << tick;
    EXPECT_EQ(store_->ReadInt("Midi", "Volume 0", 0), 80);
}

TEST_F(SleepTest, TurningTheTimerOffMidFadeRestoresTheVolumeAndAPausedEndStaysPaused) {
    Player& player = MakePlayer();
    player.Start("");
    player.StartSleep(120000, SleepEnd::Pause);
    Run(100000);
    ASSERT_LT(Volumes().back().second, 40);
    player.OnMenuCommand(kSleepOffCommand);
    EXPECT_EQ(Volumes().back().second, 80);
    Run(130000);
    EXPECT_FALSE(player.paused());
    EXPECT_EQ(Volumes().back().second, 80);

    // Paused by hand before the timer runs out: the end does not turn it into Continue.
    player.OnMenuCommand(kSleepOffCommand + 15);
    EXPECT_TRUE(player.sleepTimer().running());
    player.OnPauseCommand();
    Run(130000 + 15 * 60000 + 1000);
    EXPECT_TRUE(player.paused());
    EXPECT_FALSE(player.handle().isOpen());
    EXPECT_FALSE(player.sleepTimer().running());
    player.OnPauseCommand();
    player.AwaitOutput();
    EXPECT_EQ(Volumes().back().second, 80);
    player.ShutDownOnDestroy();
}

}  // namespace
}  // namespace tinsori
