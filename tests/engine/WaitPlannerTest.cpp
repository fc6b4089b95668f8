#include "engine/WaitPlanner.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/Pendulum.h"
#include "support/ModelRig.h"

namespace tinsori {
namespace {

TEST(WaitPlannerTest, BeatGridRoundsDownToTheDrawnBeat) {
    std::set<uint32_t> seen;
    int on512 = 0;
    const int runs = 20000;
    for (int seed = 0; seed < runs; ++seed) {
        Random random(seed);
        uint32_t snapped = WaitPlanner::SnapToBeat(700, random);
        seen.insert(snapped);
        on512 += snapped == 512;
        Random again(seed);
        EXPECT_EQ(WaitPlanner::SnapToBeat(40, again), 0u);
    }
    EXPECT_EQ(seen, (std::set<uint32_t>{512, 640}));
    // Grid 512 one time in five, else grid 256 three times in ten: 0.2 + 0.8 x 0.3.
    EXPECT_NEAR(on512 / double(runs), 0.44, 0.02);

    std::set<uint32_t> beats;
    for (int seed = 0; seed < 2000; ++seed) {
        Random random(seed);
        beats.insert(WaitPlanner::SnapToBeat(1023, random));
    }
    EXPECT_EQ(beats, (std::set<uint32_t>{512, 768, 896, 960}));
}

using testing_support::ModelRig;

struct PlannerRig : ModelRig {
    WaitPlanner planner{random, settings, shared};
};

TEST(WaitPlannerTest, VelocityBoundFollowsTheWind) {
    PlannerRig rig;
    int top = 0, capped = 0;
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        // Wind 940 before the first strike: bound 160, so the cap at 126 bites often.
        int vel = rig.planner.DrawVelocity(0.94);
        top = std::max(top, vel);
        capped += vel == 126;
        EXPECT_EQ(rig.planner.lastVelocity(), vel);
    }
    EXPECT_EQ(top, 126);
    EXPECT_NEAR(capped / double(draws), 1 - (126.0 / 160) * (126.0 / 160), 0.02);

    // The settled storm (effective wind near 701) gives a bound of 123.
    top = 0;
    for (int i = 0; i < draws; ++i) top = std::max(top, rig.planner.DrawVelocity(0.701));
    EXPECT_EQ(top, 122);

    for (int i = 0; i < 1000; ++i) ASSERT_EQ(rig.planner.DrawVelocity(0.002), 0);
}

TEST(WaitPlannerTest, WaitsShortenAsTheWindRises) {
    for (int cfg : {1, 2, 4, 8}) {
        double previous = 1e12;
        for (int wind : {2, 404, 940}) {
            PlannerRig rig;
            rig.settings.configuration = cfg;
            rig.settings.windNow = wind;
            Pendulum pendulum(rig.random, rig.settings, rig.shared);
            pendulum.Start(0);
            rig.planner.Start();
            double total = 0;
            for (int i = 0; i < 400; ++i) {
                total += rig.planner.PlanWait(pendulum.effectiveWind() / 1000, pendulum);
                pendulum.MoveSwing(i * 500);
            }
            EXPECT_LT(total, previous * 0.7) << "configuration " << cfg << " wind " << wind;
            previous = total;
        }
    }
}

TEST(PendulumTest, LargeLengthChangeSnapsSmallOneIsFollowed) {
    ModelRig rig;
    ChimeSettings& settings = rig.settings;
    ModelValues& shared = rig.shared;
    Pendulum pendulum(rig.random, settings, shared);
    pendulum.StartClock(0);
    pendulum.Start(0);
    EXPECT_DOUBLE_EQ(shared.swingPeriod, 1.5);
    // The periods start from the previous run's period (3 s at first), far from 1.5 s: the first
    // strike snaps them.
    EXPECT_NEAR(pendulum.swingPeriodA(), 3.0, 0.31);
    pendulum.MoveSwing(500);
    EXPECT_NEAR(pendulum.swingPeriodA(), 1.5, 0.01);

    settings.length = 1800;  // 300 ms away: followed at 1% per strike
    pendulum.MoveSwing(1000);
    double followed = pendulum.swingPeriodA();
    EXPECT_LT(std::abs(followed - 1.8), 0.34);
    EXPECT_GT(std::abs(followed - 1.8), 0.2);

    settings.length = 2700;  // beyond 500 ms: both periods snap
    pendulum.MoveSwing(2000);
    EXPECT_NEAR(pendulum.swingPeriodA(), 2.7, 0.01);
    EXPECT_NEAR(pendulum.swingPeriodB(), 2.7, 0.01);
    EXPECT_DOUBLE_EQ(shared.swingPeriod, 2.7);
    // The default closeness, 1.533, gives the exponent 3.434.
    EXPECT_NEAR(shared.proximityExponent, 3.434, 1e-12);
}

TEST(PendulumTest, EffectiveWindSettlesNearTheModelValue) {
    for (auto [wind, settled] : {std::pair{404, 314.0}, {940, 700.0}, {2, 2.0}}) {
        ModelRig rig;
        rig.settings.windNow = wind;
        Pendulum pendulum(rig.random, rig.settings, rig.shared);
        pendulum.Start(0);
        EXPECT_EQ(pendulum.effectiveWind(), wind);
        for (int i = 0; i < 2000; ++i) pendulum.MoveSwing(i * 100);
        EXPECT_NEAR(pendulum.effectiveWind(), settled, settled * 0.03) << "wind " << wind;
    }
}

}  // namespace
}  // namespace tinsori
