#include "midi/chimes/TubeVoice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "midi/chimes/FreeFreeBeam.h"

namespace tinsori {

namespace {

constexpr double kSixtyDecibels = 6.907755278982137;  // ln(1000)

}  // namespace

TubeVoice::TubeVoice(double fundamentalHz, const ChimeMaterial& material, int sampleRate)
    : material_(&material), sampleRate_(sampleRate) {
    const double highest = std::min(kHighestModeHz, sampleRate / 2.0);
    for (int m = 0; m < kMaxModes; ++m) {
        const double hz = fundamentalHz * FreeFreeBeam::FrequencyRatio(m);
        if (!(hz < highest)) break;
        hz_[m] = hz;
        omega_[m] = 2 * std::numbers::pi * hz / sampleRate;
        modes_ = m + 1;
        setDecay(m, material.decaySeconds(hz));
    }
}

void TubeVoice::setDecay(int mode, double seconds) {
    radius_[mode] = std::exp(-kSixtyDecibels / (seconds * sampleRate_));
    c1_[mode] = 2 * radius_[mode] * std::cos(omega_[mode]);
    c2_[mode] = -radius_[mode] * radius_[mode];
}

double TubeVoice::modeDecaySeconds(int mode) const {
    return -kSixtyDecibels / (std::log(radius_[mode]) * sampleRate_);
}

void TubeVoice::strike(int velocity, double gain) {
    velocity = std::clamp(velocity, 1, 127);
    if (damped_) {
        for (int m = 0; m < modes_; ++m) setDecay(m, material_->decaySeconds(hz_[m]));
        damped_ = false;
    }
    std::array<double, kMaxModes> amplitude{};
    double sum = 0;
    for (int m = 0; m < modes_; ++m) {
        amplitude[m] =
            FreeFreeBeam::Shape(m, kStrikePosition) * material_->contactWeight(hz_[m], velocity);
        sum += std::abs(amplitude[m]);
    }
    if (!(sum > 0)) return;
    // Amplitude follows the clapper's speed.
    const double scale = velocity / 127.0 * gain / sum;
    // The decaying sine A r^n sin(w n) from the next sample on, added through the two outputs
    // the recursion would have had before it: it starts from zero, without a click.
    for (int m = 0; m < modes_; ++m) {
        const double a = amplitude[m] * scale, r = radius_[m], w = omega_[m];
        y1_[m] -= a * std::sin(w) / r;
        y2_[m] -= a * std::sin(2 * w) / (r * r);
        bound_[m] += std::abs(a);
    }
}

void TubeVoice::damp() {
    if (damped_) return;
    for (int m = 0; m < modes_; ++m)
        setDecay(m, std::min(kDampedSeconds, material_->decaySeconds(hz_[m])));
    damped_ = true;
}

void TubeVoice::render(float* out, int frames) {
    for (int m = 0; m < modes_; ++m) {
        if (bound_[m] < kSilentAmplitude) {
            // Left silent until the next strike, which costs nothing until then.
            y1_[m] = y2_[m] = bound_[m] = 0;
            continue;
        }
        const double c1 = c1_[m], c2 = c2_[m];
        double y1 = y1_[m], y2 = y2_[m];
        for (int i = 0; i < frames; ++i) {
            const double y = c1 * y1 + c2 * y2;
            y2 = y1;
            y1 = y;
            out[i] += static_cast<float>(y);
        }
        y1_[m] = y1;
        y2_[m] = y2;
        bound_[m] *= std::pow(radius_[m], frames);
    }
}

bool TubeVoice::sounding() const {
    return std::any_of(bound_.begin(), bound_.begin() + modes_,
                       [](double bound) { return bound >= kSilentAmplitude; });
}

double TubeVoice::amplitudeBound() const {
    double sum = 0;
    for (int m = 0; m < modes_; ++m) sum += bound_[m];
    return sum;
}

}  // namespace tinsori
