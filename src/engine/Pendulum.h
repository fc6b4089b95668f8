#pragma once

#include <cstdint>

#include "engine/LiveSnapshot.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Random.h"

namespace tinsori {

// The two-component pendulum swinging inside the chime ring, and the wind's drive on it. Its
// position steers bursts, strike timing and (in configuration 1) which chime is near; its drive
// gives the effective wind the whole model uses.
class Pendulum {
public:
    Pendulum(Random& random, const SharedChimeSettings& settings, ModelValues& shared)
        : random_(random), settings_(settings), shared_(shared) {}

    // Marks the thread's start: the swing clock runs from here.
    void StartClock(uint32_t now) { swingClock_ = now; }
    // Periods, phases, position, drives and angle at thread start, in their order of draws.
    void Start(uint32_t now);
    // Brings the swing up to date after a strike, sounded or not.
    void MoveSwing(uint32_t now);
    // A wake without a strike: only the wind's drive follows the new wind.
    void RefreshWind();

    double pendulumX() const { return pendulumX_; }
    double pendulumY() const { return pendulumY_; }
    double pendulumRadius() const { return pendulumRadius_; }
    double effectiveWind() const { return effectiveWind_; }
    double swingPhaseA() const { return swingPhaseA_; }
    double swingPeriodA() const { return swingPeriodA_; }
    double swingPeriodB() const { return swingPeriodB_; }
    double swingDrive() const { return swingDrive_; }
    double crossAmplitude() const { return crossAmplitude_; }
    // The swing as it stands, for following it between updates.
    SwingState swing() const {
        return {swingPhaseA_, swingPhaseB_, swingPeriodA_,   swingPeriodB_,
                swingAngle_,  swingDrive_,  crossAmplitude_, swingClock_};
    }

private:
    static double WindForce(int wind);
    static double SignedSquare(double x) { return x > 0 ? x * x : -(x * x); }
    void SetPosition(double a, double b);
    void AdvancePhases(uint32_t now, bool reduce);
    void JitterPeriods();

    Random& random_;
    const SharedChimeSettings& settings_;
    ModelValues& shared_;

    double swingPhaseA_ = 0, swingPhaseB_ = 0;
    double swingPeriodA_ = 3.0, swingPeriodB_ = 3.0;
    double swingAngle_ = 0;
    double swingDrive_ = 0;
    double crossDrive_ = 0;
    double crossAmplitude_ = 0;
    double pendulumX_ = 0, pendulumY_ = 0, pendulumRadius_ = 0;
    double effectiveWind_ = 0;
    uint32_t swingClock_ = 0;
};

}  // namespace tinsori
