#include "engine/Pendulum.h"

#include <cmath>

#include "engine/LiveReads.h"
#include "engine/TwoPi.h"

namespace tinsori {

double Pendulum::WindForce(int wind) {
    return std::pow(wind, 0.9) / 8000 * wind / 500;
}

void Pendulum::Start(uint32_t now) {
    swingPeriodA_ = (1 + 0.1 * random_.unit()) * shared_.swingPeriod;
    swingPeriodB_ = (1 + 0.1 * random_.unit()) * shared_.swingPeriod;
    swingPhaseA_ = random_.mod(10000) / 10000.0 * kTwoPiRough;
    swingPhaseB_ = random_.mod(10000) / 10000.0 * kTwoPiRough;
    swingAngle_ = random_.mod(10000) / 10000.0 * kTwoPiRough;
    shared_.swingPeriod = LengthNow(settings_) / 1000;
    shared_.periodJitter = shared_.swingPeriod * 0.03;
    SetPosition(0.1 * std::sin(swingPhaseA_), 0.05 * std::sin(swingPhaseB_));
    AdvancePhases(now, false);
    JitterPeriods();
    int wind = WindNow(settings_);
    swingDrive_ = (WindForce(wind) + 0.1) * 0.98;
    crossDrive_ = random_.unit() * 0.06 * 0.99;
    crossAmplitude_ = SignedSquare(crossDrive_);
    effectiveWind_ = wind;
    swingAngle_ += random_.unit() / 14;
}

void Pendulum::MoveSwing(uint32_t now) {
    double period = LengthNow(settings_) / 1000;
    shared_.swingPeriod = period;
    // A large change of length snaps the swing to it; small ones are followed slowly below.
    if (std::fabs(swingPeriodA_ - period) > 0.5) swingPeriodA_ = swingPeriodB_ = period;
    shared_.periodJitter = shared_.swingPeriod * 0.03;
    SetPosition(std::sin(swingPhaseA_) * swingDrive_, std::sin(swingPhaseB_) * crossAmplitude_);
    shared_.proximityExponent = 6.5 - ClosenessNow(settings_) * 6.4 / 3.2;
    AdvancePhases(now, true);
    JitterPeriods();
    int wind = WindNow(settings_);
    double force = WindForce(wind);
    for (int pass = wind / 60 + 1; pass > 0; --pass) swingDrive_ = (swingDrive_ + force) * 0.98;
    effectiveWind_ = 300 * std::sqrt(swingDrive_);
    crossDrive_ = (random_.unit() * 0.062 + crossDrive_) * 0.993;
    crossAmplitude_ = SignedSquare(crossDrive_);
    swingAngle_ += random_.unit() / 20;
}

void Pendulum::RefreshWind() {
    int wind = WindNow(settings_);
    double force = WindForce(wind);
    for (int pass = wind / 60; pass > 0; --pass) swingDrive_ = (force + swingDrive_) * 0.98;
    effectiveWind_ = 300 * std::sqrt(swingDrive_);
}

void Pendulum::SetPosition(double a, double b) {
    pendulumX_ = std::cos(swingAngle_) * a - std::sin(swingAngle_) * b;
    pendulumY_ = std::sin(swingAngle_) * a + std::cos(swingAngle_) * b;
    pendulumRadius_ = std::hypot(pendulumX_, pendulumY_);
}

void Pendulum::AdvancePhases(uint32_t now, bool reduce) {
    double dt = static_cast<uint32_t>(now - swingClock_) / 1000.0;
    swingClock_ = now;
    swingPhaseA_ += dt * kTwoPiRough / swingPeriodA_;
    swingPhaseB_ += dt * kTwoPiRough / swingPeriodB_;
    if (reduce && swingPhaseA_ > 7.0) swingPhaseA_ -= kTwoPi;
    if (reduce && swingPhaseB_ > 7.0) swingPhaseB_ -= kTwoPi;
}

void Pendulum::JitterPeriods() {
    for (double* p : {&swingPeriodA_, &swingPeriodB_}) {
        *p = *p + random_.unit() * shared_.periodJitter / 10;
        *p = *p - (*p - shared_.swingPeriod) * 0.01;
    }
}

}  // namespace tinsori
