#include <gtest/gtest.h>

#include "SimulationRig.h"

namespace tinsori {
namespace {

struct RunFigures {
    double strikesPerMinute = 0;
    double meanVelocity = 0;
};

// Ten minutes of settled music (after two minutes for the pendulum's drive to settle).
RunFigures Play(int configuration, int wind) {
    SimulationRig rig;
    rig.playFree(configuration, wind, 12 * 60000);
    rig.stop();
    RunFigures figures;
    int count = 0;
    for (const auto& n : rig.noteOnsFrom(2 * 60000)) {
        ++count;
        figures.meanVelocity += n.data2();
    }
    figures.strikesPerMinute = count / 10.0;
    if (count) figures.meanVelocity /= count;
    return figures;
}

// A wrong constant or a swapped combine shows as a flat or inverted response to the wind.
TEST(SimulationStatisticsTest, StrikesAndVelocitiesRiseWithTheWind) {
    for (int cfg : {kCenterPendulum, kAllIndependent, kChimesOnly, kQuantized}) {
        RunFigures calm = Play(cfg, 2);
        RunFigures breeze = Play(cfg, 404);
        RunFigures storm = Play(cfg, 940);
        SCOPED_TRACE(cfg);
        EXPECT_GT(calm.strikesPerMinute, 5);
        EXPECT_GT(breeze.strikesPerMinute, 2.5 * calm.strikesPerMinute);
        EXPECT_GT(storm.strikesPerMinute, 3 * breeze.strikesPerMinute);
        EXPECT_LT(calm.meanVelocity, 10);
        EXPECT_GT(breeze.meanVelocity, 3 * calm.meanVelocity);
        EXPECT_GT(storm.meanVelocity, 1.5 * breeze.meanVelocity);
    }
}

}  // namespace
}  // namespace tinsori
