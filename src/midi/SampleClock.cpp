#include "midi/SampleClock.h"

#include <cmath>
#include <numbers>

namespace tinsori {

SampleClock::SampleClock(const Tuning& tuning)
    : tuning_(tuning), nsPerFrame_(1e9 / tuning.sampleRate) {}

void SampleClock::restartAt(uint64_t frame, int64_t heardNs) {
    frame0_ = frame;
    time0_ = static_cast<double>(heardNs);
}

void SampleClock::observe(uint64_t frame, int64_t heardNs) {
    if (!running_) {
        running_ = true;
        lockStartNs_ = heardNs;
        restartAt(frame, heardNs);
        return;
    }
    if (frame <= frame0_) return;
    const double frames = static_cast<double>(frame - frame0_);
    const double predicted = time0_ + frames * nsPerFrame_;
    const double error = static_cast<double>(heardNs) - predicted;
    if (std::fabs(error) > static_cast<double>(tuning_.relockNs)) {
        ++relocks_;
        restartAt(frame, heardNs);
        return;
    }
    const bool locking = heardNs - lockStartNs_ < tuning_.lockingNs;
    const double bandwidth = locking ? tuning_.lockingBandwidthHz : tuning_.bandwidthHz;
    // A critically damped second-order loop, its coefficients scaled to this report's interval so
    // that blocks of any size give the same bandwidth.
    const double omega = 2.0 * std::numbers::pi * bandwidth * frames * nsPerFrame_ * 1e-9;
    frame0_ = frame;
    time0_ = predicted + std::numbers::sqrt2 * omega * error;
    nsPerFrame_ += omega * omega * error / frames;
}

double SampleClock::frameAt(int64_t ns) const {
    return static_cast<double>(frame0_) + (static_cast<double>(ns) - time0_) / nsPerFrame_;
}

}  // namespace tinsori
