#include "player/LiveViewMotion.h"

#include <algorithm>
#include <cmath>

#include "model/ChimeSettings.h"
#include "model/SettingsSchema.h"

namespace tinsori {

namespace {

constexpr double kTwoPi = 6.283185307;
// A tube of middle C rings about this long (time to fall to 1/e); an octave down, 1.41 x longer.
constexpr double kMiddleRingMs = 1400;
constexpr double kShortestRingMs = 500, kLongestRingMs = 3500;
constexpr double kFaded = 0.02;
constexpr double kSwayWidth = 0.07;
constexpr double kSwayPeriodMs = 620, kSwayDecayMs = 900;
constexpr double kEnergySwayWidth = 0.05;

}  // namespace

double StrikeGlow(int velocity, uint32_t ageMs, int note) {
    if (velocity <= 0 || ageMs >= kLongestGlowMs) return 0;
    const double ring = std::clamp(kMiddleRingMs * std::pow(2.0, (60 - note) / 24.0),
                                   kShortestRingMs, kLongestRingMs);
    // Loudness is heard roughly as the square root of velocity over its range.
    const double glow = std::sqrt(std::min(velocity, 127) / 127.0) * std::exp(-(ageMs / ring));
    return glow < kFaded ? 0 : glow;
}

double StrikeSway(int velocity, uint32_t ageMs) {
    const double width = kSwayWidth * std::clamp(velocity, 0, 127) / 127.0;
    return width * std::exp(-(ageMs / kSwayDecayMs)) * std::sin(kTwoPi * ageMs / kSwayPeriodMs);
}

double EnergySway(double energy, double largestEnergy, int k, uint32_t now) {
    if (!(largestEnergy > 0) || !(energy > 0)) return 0;
    const double share = std::min(1.0, energy / largestEnergy);
    // Neighbours on different periods, so the ring never sways in step.
    const double period = 700.0 + 53.0 * (k % 7) + 31.0 * (k % 3);
    return kEnergySwayWidth * share * std::sin(kTwoPi * (now % 60000) / period + k * 2.4);
}

double BeatPulse(uint32_t waitStart, uint32_t beat, uint32_t now) {
    if (beat == 0) return 0;
    const uint32_t into = (now - waitStart) % beat;
    return std::exp(-4.0 * into / beat);
}

bool PendulumStrikes(int configuration) {
    return (configuration & (kCenterPendulum | kQuantized)) != 0;
}

double ShownWind(double effectiveWind, int windSetting) {
    return effectiveWind > 0 ? effectiveWind : windSetting;
}

double WindFraction(double wind) {
    constexpr SettingSpec kWind = setting::kWind;
    return (std::clamp(wind, kWind.low(), kWind.high()) - kWind.low()) /
           (kWind.high() - kWind.low());
}

int WindWord(double wind) {
    // The words stand at the slider's two ends and its middle.
    const double at = WindFraction(wind);
    return at < 0.25 ? 0 : (at > 0.75 ? 2 : 1);
}

}  // namespace tinsori
