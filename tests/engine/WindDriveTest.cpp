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

// Live settings ranged for the default wind.
struct WindDrive : ::testing::Test {
    Random ui{17};
    ChimeSettings s{ui};
    CountingEvent event;

    WindDrive() { ApplyStoredWind(s, 404); }

    // A wander of no width: every tick's generator value is `target`.
    void holdWanderAt(int target) { s.windPink.SetRange(target, target, 2500000); }
};

TEST_F(WindDrive, TickLagsTowardTheGeneratorWithTruncation) {
    s.lastWindWake = 1;  // keep the wake out of this test
    // The wind moves 4.1% of the way to the generator's value, cut toward zero: 24 above
    // (0.984) stays, 25 above (1.025) raises by one, while 1 below already lowers by one.
    struct Case {
        int target, before, after;
    };
    for (Case c :
         {Case{428, 404, 404}, Case{429, 404, 405}, Case{404, 404, 404}, Case{403, 404, 403},
          Case{380, 404, 403}, Case{1000, 404, 428}, Case{0, 404, 387}}) {
        holdWanderAt(c.target);
        s.windNow = c.before;
        EXPECT_EQ(WindTimerTick(s, 100, event), c.after != c.before) << c.target;
        EXPECT_EQ(s.windNow, c.after) << c.target;
    }
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
