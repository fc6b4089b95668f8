#pragma once

#include <array>

#include "midi/chimes/ChimeMaterial.h"

namespace tinsori {

// One hanging tube: a two-pole resonator per bending mode, from the fundamental up to 16 kHz
// (and below the Nyquist frequency). A strike adds a decaying sine to each mode, so a tube struck
// while it rings sounds both strikes, as a real one does.
class TubeVoice {
public:
    static constexpr int kMaxModes = 48;
    static constexpr double kHighestModeHz = 16000.0;
    // Where the clapper meets the tube, as a share of its length from the lower end; every one of
    // the first five modes moves there.
    static constexpr double kStrikePosition = 0.38;
    // Ring time (to -60 dB) of every mode of a damped tube.
    static constexpr double kDampedSeconds = 0.12;
    // Below this amplitude a mode falls silent and costs nothing: -110 dBFS.
    static constexpr double kSilentAmplitude = 3e-6;

    TubeVoice(double fundamentalHz, const ChimeMaterial& material, int sampleRate);

    // A strike of `velocity` (1..127); its modes' amplitudes add up to velocity / 127 times
    // `gain`, which bounds what it adds to the tube's sound.
    void strike(int velocity, double gain);
    // A hand on the tube: every mode dies within a fraction of a second. The next strike lets
    // it ring again.
    void damp();
    // Adds the next `frames` samples to `out`.
    void render(float* out, int frames);

    bool sounding() const;
    // An upper bound of the tube's amplitude.
    double amplitudeBound() const;
    const ChimeMaterial& material() const { return *material_; }

    int modeCount() const { return modes_; }
    double modeHz(int mode) const { return hz_[mode]; }
    double modeDecaySeconds(int mode) const;

private:
    void setDecay(int mode, double seconds);

    const ChimeMaterial* material_;
    int sampleRate_;
    int modes_ = 0;
    bool damped_ = false;
    // Per mode: frequency, angular step, pole radius, recursion coefficients, the last two
    // outputs and an upper bound of its amplitude.
    std::array<double, kMaxModes> hz_{}, omega_{}, radius_{}, c1_{}, c2_{}, y1_{}, y2_{}, bound_{};
};

}  // namespace tinsori
