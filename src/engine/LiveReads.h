#pragma once

#include <cmath>
#include <limits>

#include "model/ChimeSettings.h"

namespace tinsori {

// Reads of the live settings as the model uses them. A store or favorite may hold values outside
// the controls' ranges; the model brings them into range here so that no formula divides by zero,
// takes the power of a negative number or indexes past a table. In-range values pass unchanged.

// Truncates toward zero; values beyond the int range saturate and NaN gives 0 instead of
// undefined behaviour.
inline int Trunc(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<int>::max();
    if (x <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}

inline double ClampReal(double x, double low, double high) {
    if (!(x >= low)) return low;
    return x > high ? high : x;
}

// A real setting read live, brought into its range.
inline double RealNow(const std::atomic<double>& value, const SettingSpec& spec) {
    return ClampReal(value.load(std::memory_order_relaxed), spec.low(), spec.high());
}

inline int ClampInt(int x, int low, int high) {
    return x < low ? low : (x > high ? high : x);
}

// One of the four configurations; any other stored value plays as the default, 1.
inline int ConfigurationNow(const SharedChimeSettings& s) {
    int cfg = s.configuration.load(std::memory_order_relaxed);
    bool known =
        cfg == kCenterPendulum || cfg == kAllIndependent || cfg == kChimesOnly || cfg == kQuantized;
    return known ? cfg : kCenterPendulum;
}

// What the configuration (as ConfigurationNow gives it) sets in motion.
// The pendulum swings among the chimes and sets off bursts of strikes: center pendulum, quantized.
inline bool PendulumInPlay(int cfg) {
    return (cfg & (kCenterPendulum | kQuantized)) != 0;
}
// The pendulum also steers: chimes near it weigh more, strikes fall on its turning points.
inline bool PendulumAtCenter(int cfg) {
    return (cfg & kCenterPendulum) != 0;
}
// The chimes swing by themselves: waits are longer and every chime's energy fades alike.
inline bool WithoutPendulum(int cfg) {
    return (cfg & (kAllIndependent | kChimesOnly)) != 0;
}

inline int WindNow(const SharedChimeSettings& s) {
    return setting::kWind.Clamp(s.windNow.load(std::memory_order_relaxed));
}

inline double ClosenessNow(const SharedChimeSettings& s) {
    return RealNow(s.closeness, setting::kCloseness);
}

inline double PinknessNow(const SharedChimeSettings& s) {
    return RealNow(s.pinkness, setting::kPinkness);
}

inline double LengthNow(const SharedChimeSettings& s) {
    return RealNow(s.length, setting::kLength);
}

inline bool FlagSet(const std::atomic<int>& flag) {
    return flag.load(std::memory_order_relaxed) != 0;
}

// Chime energy is shared with the UI, which may clear it between any two of these.
inline double EnergyOf(const ChimeEnergy& energy, int k) {
    return energy[k].load(std::memory_order_relaxed);
}

inline void ScaleEnergy(ChimeEnergy& energy, int k, double factor) {
    energy[k].store(EnergyOf(energy, k) * factor, std::memory_order_relaxed);
}

}  // namespace tinsori
