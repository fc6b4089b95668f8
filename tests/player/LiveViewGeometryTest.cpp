#include <gtest/gtest.h>

#include <cmath>

#include "player/ChimeLights.h"
#include "player/LiveViewGeometry.h"
#include "player/LiveViewMotion.h"
#include "player/LiveViewPacing.h"
#include "player/LiveViewTexts.h"

namespace tinsori {
namespace {

std::array<int, kChimeSlots> Notes(std::initializer_list<int> notes) {
    std::array<int, kChimeSlots> out{};
    out.fill(kNoNote);
    int k = 0;
    for (int note : notes) out[k++] = note;
    return out;
}

TEST(LiveViewGeometryTest, RingIsSeenFromAboveWithChimeZeroOnTopTurningClockwise) {
    const ViewFrame frame = ViewFrame::Fit(400, 500, 40, 60, 20);
    const ViewPoint centre = frame.center();
    const ViewPoint top = frame.ToView(ChimePosition(0, 4));
    const ViewPoint next = frame.ToView(ChimePosition(1, 4));
    EXPECT_NEAR(top.x, centre.x, 1e-9);
    EXPECT_LT(top.y, centre.y);
    EXPECT_GT(next.x, centre.x);
    EXPECT_NEAR(next.y, centre.y, 0.01 * frame.scale());
    // The ring with its longest tubes fits between the bands, whatever the window's shape.
    for (auto [w, h] : {std::pair{400.0, 500.0}, {900.0, 300.0}, {250.0, 900.0}}) {
        const ViewFrame f = ViewFrame::Fit(w, h, 40, 60, 20);
        const double reach = (kRingRadius + kLongestHalfTube) * f.scale();
        EXPECT_GE(f.center().y - reach, 40 + 20 - 1e-9) << w << "x" << h;
        EXPECT_LE(f.center().y + reach, h - 60 - 20 + 1e-9) << w << "x" << h;
        EXPECT_LE(2 * reach, w - 40 + 1e-9) << w << "x" << h;
    }
}

TEST(LiveViewGeometryTest, TubeLengthFollowsPitchAndNeighboursNeverOverlap) {
    const ChimeRing ring = LayOutRing(Notes({60, 72, kNoNote, 48}), 4);
    EXPECT_DOUBLE_EQ(ring.tubes[3].halfLength, kLongestHalfTube);  // the lowest note
    EXPECT_NEAR(ring.tubes[0].halfLength / ring.tubes[3].halfLength, 1 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(ring.tubes[1].halfLength / ring.tubes[3].halfLength, 0.5, 1e-9);
    EXPECT_GT(ring.tubes[2].halfLength, 0);  // an empty chime is still drawn
    const ChimeRing crowded = LayOutRing(Notes({}), kMaxChimes);
    const ModelPoint a = crowded.tubes[0].center, b = crowded.tubes[1].center;
    EXPECT_LT(2 * crowded.tubes[0].halfWidth, std::hypot(a.x - b.x, a.y - b.y));
    EXPECT_EQ(LayOutRing(Notes({}), 500).count, kMaxChimes);
}

TEST(LiveViewGeometryTest, PressingATubeGivesItsChimeLoudestAtTheCentre) {
    const ViewFrame frame = ViewFrame::Fit(400, 500, 40, 60, 20);
    for (int n : {1, 7, kMaxChimes}) {
        const ChimeRing ring = LayOutRing(Notes({60, 62, 64, 65, 67, 69, 71}), n);
        for (int k = 0; k < n; ++k) {
            const ChimeHit hit = HitChime(ring, frame, frame.ToView(ring.tubes[k].center), 4);
            EXPECT_EQ(hit.chime, k) << n;
            EXPECT_EQ(hit.velocity, 99);
        }
    }
    const ChimeRing ring = LayOutRing(Notes({60, 62, 64, 65, 67, 69, 71}), 7);
    const Tube& tube = ring.tubes[2];
    const double out = tube.halfLength * 0.9;
    const ChimeHit end = HitChime(
        ring, frame,
        frame.ToView({tube.center.x + tube.axis.x * out, tube.center.y + tube.axis.y * out}), 4);
    EXPECT_EQ(end.chime, 2);
    EXPECT_GE(end.velocity, 38);
    EXPECT_LT(end.velocity, 60);
    EXPECT_FALSE(HitChime(ring, frame, frame.center(), 4).hit());
    // A few pixels beside a thin tube still strike it.
    ViewPoint beside = frame.ToView(tube.center);
    beside.x += tube.halfWidth * frame.scale() * tube.axis.y + 3 * tube.axis.y;
    beside.y += tube.halfWidth * frame.scale() * tube.axis.x + 3 * tube.axis.x;
    EXPECT_EQ(HitChime(ring, frame, beside, 4).chime, 2);
}

TEST(LiveViewGeometryTest, PendulumFollowsItsPhasesBetweenUpdatesInsideTheRing) {
    SwingState swing{0.3, 1.1, 2.0, 2.6, 0.7, 0.8, 0.1, 5000};
    auto model = [&](double dt) {
        const double a = std::sin(swing.phaseA + dt * 6.28 / swing.periodA) * swing.drive;
        const double b = std::sin(swing.phaseB + dt * 6.28 / swing.periodB) * swing.crossAmplitude;
        return ModelPoint{std::cos(swing.angle) * a - std::sin(swing.angle) * b,
                          std::sin(swing.angle) * a + std::cos(swing.angle) * b};
    };
    for (uint32_t now : {5000u, 5350u, 7000u, 4990u}) {
        const ModelPoint p = PendulumAt(swing, now);
        const ModelPoint expected = model((static_cast<double>(now) - 5000) / 1000);
        EXPECT_NEAR(p.x, expected.x, 1e-12) << now;
        EXPECT_NEAR(p.y, expected.y, 1e-12) << now;
    }
    // A storm swings it far beyond the ring; the chime choice (and the view) stop it there.
    swing.drive = 6;
    swing.phaseA = 1.5707963;
    const ModelPoint far = PendulumAt(swing, swing.clock);
    EXPECT_NEAR(std::hypot(far.x, far.y), kRingRadius, 1e-9);
}

TEST(LiveViewMotionTest, StrikesGlowByVelocityAndFadeAsTheNoteRings) {
    EXPECT_GT(StrikeGlow(120, 0, 60), StrikeGlow(40, 0, 60));
    EXPECT_GT(StrikeGlow(100, 0, 60), StrikeGlow(100, 300, 60));
    EXPECT_GT(StrikeGlow(100, 1500, 40), StrikeGlow(100, 1500, 80));  // low notes ring longer
    EXPECT_EQ(StrikeGlow(0, 0, 60), 0);
    EXPECT_EQ(StrikeGlow(127, kLongestGlowMs, 12), 0);
    EXPECT_EQ(StrikeGlow(127, 20000, 60), 0);
    EXPECT_EQ(EnergySway(0, 10, 3, 1234), 0);
    EXPECT_LE(std::fabs(EnergySway(50, 10, 3, 1234)), 0.05);
    EXPECT_DOUBLE_EQ(BeatPulse(1000, 128, 1000 + 3 * 128), 1.0);
    EXPECT_LT(BeatPulse(1000, 128, 1000 + 3 * 128 + 100), 0.1);
    EXPECT_EQ(BeatPulse(1000, 0, 1100), 0);
    EXPECT_EQ(WindWord(2), 0);
    EXPECT_EQ(WindWord(404), 1);
    EXPECT_EQ(WindWord(940), 2);
    EXPECT_EQ(WindFraction(5000), 1);
}

TEST(LiveViewMotionTest, StrikesSoundingTogetherLightTogetherAndOnlyInsideTheRing) {
    const ChimeRing ring = LayOutRing(Notes({60, 62, 60, 65}), 4);
    StrikeLog log;
    log.add(900, 1, 90);  // long faded by now
    log.add(9000, 1, 90);
    log.add(10000, 0, 80);  // a chord: three strikes on one tick
    log.add(10000, 2, 80);
    log.add(10000, 6, 80);  // beyond the ring: the count fell since
    log.add(10500, 3, 80);  // after a frozen view's moment
    ChimeLights lights{};
    AddStrikeLights(log, ring, 10200, lights);
    EXPECT_GT(lights[0].glow, 0);
    EXPECT_DOUBLE_EQ(lights[0].glow, lights[2].glow);
    EXPECT_GT(lights[1].glow, 0);
    EXPECT_LT(lights[1].glow, lights[0].glow);
    EXPECT_EQ(lights[3].glow, 0);
}

// A frame costs by the pixel: a view of many pixels is drawn smaller and less often, never faster
// than 30 a second; paused it is redrawn only twice a second.
TEST(LiveViewPacingTest, LargeViewsDrawSmallerAndLessOftenAndPausedOnesRarely) {
    const double fullHd = 1920.0 * 1080;
    EXPECT_EQ(FrameIntervalMs(false, 144, 520 * 580), 34);
    EXPECT_EQ(FrameIntervalMs(false, 0, 520 * 580), 34);
    EXPECT_EQ(FrameIntervalMs(false, 24, 520 * 580), 42);
    EXPECT_EQ(FrameIntervalMs(false, 60, 16 * fullHd), 534);
    EXPECT_EQ(FrameIntervalMs(true, 60, 520 * 580), 500);
    EXPECT_DOUBLE_EQ(FrameShrink(fullHd), 1.0);
    EXPECT_DOUBLE_EQ(FrameShrink(4 * fullHd), 2.0);
    EXPECT_DOUBLE_EQ(ViewGrowth(1040, 1160), 2.0);
    EXPECT_DOUBLE_EQ(ViewGrowth(2000, 580), 1.0);
    EXPECT_DOUBLE_EQ(ViewGrowth(100, 100), 1.0);
    EXPECT_EQ(StreakStepMs(5000), 100u);
}

TEST(LiveViewTextsTest, TheBeatIsShownOnlyWhileQuantizedAndThePendulumOnlyWhereItStrikes) {
    EXPECT_EQ(ConfigurationCaption(kQuantized, 250), "Quantized \u00b7 beat 250 ms");
    EXPECT_EQ(ConfigurationCaption(kChimesOnly, 250), "Chimes Only");
    EXPECT_TRUE(PendulumStrikes(kQuantized));
    EXPECT_FALSE(PendulumStrikes(kAllIndependent));
    EXPECT_EQ(ShownWind(0, 404), 404);
    const std::string described = LiveViewDescription("", 940);
    EXPECT_EQ(described.find("Favorite"), std::string::npos);
    EXPECT_NE(described.find("Wind: Storm's-a-Brewin'."), std::string::npos);
}

}  // namespace
}  // namespace tinsori
