#include "engine/WaitPlanner.h"

#include <algorithm>
#include <cmath>

#include "engine/LiveReads.h"
#include "engine/TwoPi.h"

namespace tinsori {

namespace {
constexpr double kPi = 3.1415926535;
constexpr double kQuarterTurn = 1.57079632675;
constexpr double kThreeQuarterTurn = 4.71238898025;
}  // namespace

uint32_t WaitPlanner::PlanWait(double v, const Pendulum& pendulum) {
    int cfg = ConfigurationNow(settings_);
    // 1. A pendulum near the chimes sets off a burst of quick strikes.
    if (PendulumInPlay(cfg)) Burst(pendulum);
    // 2. The base interval shrinks steeply as the wind rises.
    double base = 81373 - (200000 * std::pow(v, 0.3) + (1200 * v - 120000 * std::pow(v, 0.5)));
    // 3. Two passes over the chimes, each keeping its shortest candidate.
    uint32_t first = ShortestCandidate(base, cfg);
    uint32_t second = ShortestCandidate(base, cfg);
    // 4. Bursts relax toward no burst.
    burstFactor_ = 1 - std::pow(std::max(0.1, 0.9 - v), 1.3) * (1 - burstFactor_);
    // 5. Combine the passes.
    uint32_t wait = cfg == kAllIndependent ? std::min(first, second) : std::max(first, second);
    // 6. Cap the wait by the swing and by the wind.
    wait = Cap(wait, pendulum, cfg);
    // 7. Strike at the swing's turning point.
    if (PendulumAtCenter(cfg)) wait = TimeToTurningPoint(wait, pendulum);
    return wait;
}

void WaitPlanner::Burst(const Pendulum& pendulum) {
    double closeness = ClosenessNow(settings_);
    double near = pendulum.pendulumRadius() + 0.05;
    double chance = std::pow(closeness * 1.1 + 0.35, 1.7) * (near * near) * 7000;
    if (random_.mod(12000) < chance) {
        double wind = pendulum.effectiveWind();
        burstFactor_ = std::pow((130 - lastVelocity_) / 130.0, closeness) * burstFactor_ *
                       ((wind / 600) * 0.6 + 0.05);
        double w = std::min(1.0, wind * wind / (1000.0 * 1000.0));
        burstFactor_ = w + (1 - w) * burstFactor_;
    }
}

uint32_t WaitPlanner::ShortestCandidate(double base, int cfg) {
    uint32_t shortest = 120000;
    int n = settings_.chimeCount();
    for (int k = 0; k < n; ++k) {
        double t = (intervalPink_.Next() / 10000.0 * 1.2 + 0.15) * base;
        if (cfg == kAllIndependent) {
            t = t * (1 / ClosenessNow(settings_));
        } else {
            t = t * burstFactor_;
        }
        if (WithoutPendulum(cfg)) t = t * 1.8;
        double lower = 2 * std::pow(t / 100, 1.12);
        double spread = std::max(3.0, t - lower);
        uint32_t candidate = static_cast<uint32_t>(random_.mod(Trunc(spread)) + Trunc(lower));
        shortest = std::min(shortest, candidate);
    }
    return shortest;
}

uint32_t WaitPlanner::Cap(uint32_t wait, const Pendulum& pendulum, int cfg) {
    int r = random_.mod(750);
    double wind = pendulum.effectiveWind();
    if (r < Trunc(wind) && PendulumAtCenter(cfg)) {
        auto half = static_cast<uint32_t>(Trunc(shared_.swingPeriod * 1000 * 0.5));
        auto near = static_cast<uint32_t>(Trunc(1.2 / (pendulum.pendulumRadius() + 0.25) * wait));
        return std::min(half, near);
    }
    // In 64 bits: five times a saturated truncation must not overflow.
    int64_t windCap = 5 * static_cast<int64_t>(Trunc(10000 / wind * 30));
    return static_cast<uint32_t>(std::min<int64_t>(wait, std::max<int64_t>(windCap, 0)));
}

uint32_t WaitPlanner::TimeToTurningPoint(uint32_t wait, const Pendulum& pendulum) {
    // Phase left until the main component's next turning point.
    double phi = std::fmod(pendulum.swingPhaseA(), kTwoPi);
    double tau = phi < kQuarterTurn        ? kQuarterTurn - phi
                 : phi < kThreeQuarterTurn ? kThreeQuarterTurn - phi
                                           : kTwoPi - phi + kQuarterTurn;
    // Phase the main component covers during the wait, modulo half a turn.
    double periodA = pendulum.swingPeriodA();
    double s = std::fmod(wait * kTwoPi / periodA / 1000, kPi);
    double mismatch =
        std::min({std::fabs(s - tau), std::fabs(s + kPi - tau), std::fabs(kPi - s + tau)});
    double drive = pendulum.swingDrive();
    double limit = std::fabs(drive - ((shared_.swingPeriod - 1.5) * 0.18 + 1.124)) * 1.15 + 0.18;
    if (!(mismatch > limit)) return wait;
    int bar = Trunc(std::fabs(pendulum.crossAmplitude()) * 13000 + ClosenessNow(settings_) * 2100);
    if (static_cast<uint32_t>(random_.mod(11300)) <= static_cast<uint32_t>(bar)) return wait;
    double sign = (random_.next() % 2 == 1) ? 1.0 : -1.0;
    double j =
        sign * std::pow(random_.mod(10000) / 10000.0, 3.8 / (std::fabs(drive - 0.81) * 2.5 + 1));
    double q = (std::fabs(drive - 0.94) * 3 + 0.2) * j + tau;
    if (q < 0) q += kPi;
    q = std::fmod(q, kPi);
    return static_cast<uint32_t>(std::max(10, Trunc(q * (periodA * 1000) / kTwoPi)));
}

int WaitPlanner::DrawVelocity(double v) {
    int m = Trunc(std::pow(v, 0.9) * 1000 / 10 * 1.7);
    int bound = std::max(1, m);
    int a = random_.mod(bound);
    int b = random_.mod(bound);
    lastVelocity_ = std::min(std::max(a, b), 126);
    return lastVelocity_;
}

uint32_t WaitPlanner::DrawBeat(Random& random) {
    if (random.mod(100) < 20) return 512;
    if (random.mod(100) < 30) return 256;
    if (random.mod(100) < 50) return 128;
    return 64;
}

}  // namespace tinsori
