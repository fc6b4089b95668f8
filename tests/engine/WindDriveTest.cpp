#include "engine/WindDrive.h"

#include <gtest/gtest.h>

namespace tinsori {
namespace {

struct CountingEvent : WakeEvent {
    int signals = 0;
    void signal() override { ++signals; }
    void reset() override {}
    WaitResult wait(uint32_t) override { return WaitResult::TimedOut; }
};

// Live settings ranged for the default wind, and a shadow generator in lockstep with `windPink`
// (same seed, same draws) that tells each tick's generator value in advance.
struct WindDrive : ::testing::Test {
    Random ui{17}, twin{17};
    ChimeSettings s{ui};
    CPink shadow{twin};
    CountingEvent event;

    WindDrive() { rangeBoth(404); }

    void rangeBoth(int wind) {
        ApplyStoredWind(s, wind);
        shadow.SetRange(wind - 1900, wind + 1900, 2500000);
    }
    int nextShadowValue() { return shadow.Next(); }
};

TEST_F(WindDrive, TickLagsTowardTheGeneratorWithTruncation) {
    s.lastWindWake = 1;  // keep the wake out of this test
    // Up to 24 above: 24 x 0.041 < 1 is cut off, the wind stays.
    for (int offset : {24, 1, 0}) {
        int x = nextShadowValue();
        int before = x - offset;
        s.windNow = before;
        EXPECT_FALSE(WindTimerTick(s, 100, event)) << offset;
        EXPECT_EQ(s.windNow, before);
    }
    // Any value below lowers it by at least one.
    for (int offset : {-1, -24, -25, -100}) {
        int x = nextShadowValue();
        int before = x - offset;
        s.windNow = before;
        EXPECT_TRUE(WindTimerTick(s, 100, event)) << offset;
        EXPECT_EQ(s.windNow, static_cast<int>((x - before) * 0.041 + before));
        EXPECT_LE(s.windNow, before - 1);
    }
    // 25 above is the first to raise it.
    int x = nextShadowValue();
    s.windNow = x - 25;
    EXPECT_TRUE(WindTimerTick(s, 100, event));
    EXPECT_EQ(s.windNow, x - 24);
    EXPECT_EQ(event.signals, 0);
}

TEST_F(WindDrive, TickClampsToTheSliderRange) {
    s.lastWindWake = 1;
    s.windPink.SetRange(-100000, -90000, 2500000);
    s.windNow = 3;
    WindTimerTick(s, 100, event);
    EXPECT_EQ(s.windNow, 2);
    s.windPink.SetRange(90000, 100000, 2500000);
    s.windNow = 939;
    WindTimerTick(s, 100, event);
    EXPECT_EQ(s.windNow, 940);
}

TEST_F(WindDrive, WakesAtMostEveryNineSeconds) {
    // lastWindWake starts at 0: the first tick after 9 s of uptime wakes the thread.
    WindTimerTick(s, 9000, event);
    EXPECT_EQ(event.signals, 0);
    WindTimerTick(s, 9001, event);
    EXPECT_EQ(event.signals, 1);
    EXPECT_EQ(s.lastWindWake, 9001u);
    WindTimerTick(s, 18001, event);
    EXPECT_EQ(event.signals, 1);
    WindTimerTick(s, 18002, event);
    EXPECT_EQ(event.signals, 2);
    // Elapsed time is an unsigned difference across the tick count's wrap.
    s.lastWindWake = 0xFFFFFF00u;
    WindTimerTick(s, 100, event);
    EXPECT_EQ(event.signals, 2);
    WindTimerTick(s, 9000, event);
    EXPECT_EQ(event.signals, 3);
}

TEST_F(WindDrive, TickDoesNothingWhileDraggingOrConstant) {
    const uint32_t state = ui.state();
    const int wind = s.windNow;
    SetWindDragging(s, true);
    EXPECT_FALSE(WindTimerTick(s, 50000, event));
    SetWindDragging(s, false);
    EXPECT_EQ(s.windDragging, 0);
    s.windDragging = 2;  // only bit 0 means dragging
    s.constantWind = 1;
    EXPECT_FALSE(WindTimerTick(s, 50000, event));
    EXPECT_EQ(s.windNow, wind);
    EXPECT_EQ(ui.state(), state);  // the generator did not step
    EXPECT_EQ(event.signals, 0);
    s.constantWind = 0;
    WindTimerTick(s, 50000, event);
    EXPECT_EQ(event.signals, 1);
}

TEST_F(WindDrive, SliderSetsBothWindsAndRestartsTheWander) {
    WindSliderMoved(s, 700, event);
    EXPECT_EQ(s.windNow, 700);
    EXPECT_EQ(s.windSpeed, 700);
    EXPECT_EQ(s.windPink.value(), 700);
    EXPECT_EQ(s.windPink.rowSpan(), 180);
    EXPECT_EQ(event.signals, 1);

    // The same position again: no wake, but the wander still restarts from it.
    s.windPink.Next();
    WindSliderMoved(s, 700, event);
    EXPECT_EQ(event.signals, 1);
    EXPECT_EQ(s.windPink.value(), 700);

    WindSliderMoved(s, 5000, event);
    EXPECT_EQ(s.windNow, 940);
    WindSliderMoved(s, -7, event);
    EXPECT_EQ(s.windNow, 2);
    EXPECT_EQ(s.windSpeed, 2);
    EXPECT_EQ(event.signals, 3);
}

TEST_F(WindDrive, StoredWindIsBroughtIntoRangeWithoutSignalling) {
    ApplyStoredWind(s, 123456);
    EXPECT_EQ(s.windNow, 940);
    EXPECT_EQ(s.windSpeed, 940);
    EXPECT_EQ(s.windPink.value(), 940);
    ApplyStoredWind(s, -1);
    EXPECT_EQ(s.windNow, 2);
    EXPECT_EQ(event.signals, 0);

    // Values loaded straight into the record are mended when the wander is ranged.
    s.windSpeed = 0;
    s.windNow = 4000;
    RangeWindPink(s);
    EXPECT_EQ(s.windSpeed, 2);
    EXPECT_EQ(s.windNow, 940);
}

}  // namespace
}  // namespace tinsori
