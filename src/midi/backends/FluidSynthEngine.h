#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <fluidsynth.h>

#include "midi/audio/AudioSynth.h"

namespace tinsori {

// The embedded synthesizer without any audio output: settings, synth and the loaded General MIDI
// soundfont. The live port adds an audio driver; the renderer pulls samples itself.
class FluidSynthEngine : public AudioSynth {
public:
    // Puts the built-in favorites' median near -23 LUFS (-22.9 with TimGM6mb, -21.3 with
    // FluidR3_GM), the level of broadcast programmes, so
    // that the chimes sit with the desktop's other sounds; the strikes this lifts above -1 dBFS
    // are the renders' and the live output's limiter's to hold.
    static constexpr double kGain = 2.8;
    static constexpr int kChannels = 16;  // MIDI's

    static constexpr const char* kSoundfontFolder = "/usr/share/sounds/sf2";
    // The soundfonts tried, in order, when the user names none: Debian's default-GM link, then
    // FluidR3_GM, then TimGM6mb, then Debian's .sf3 link; FluidR3_GM first when the link names
    // TimGM6mb.
    static std::vector<std::string> defaultSoundfonts(const std::string& folder = kSoundfontFolder);
    // The user's file if given, readable and a soundfont by its header, else the first default
    // present; empty with a reason when there is none.
    static std::string findSoundfont(const std::string& userPath, std::string* error);

    // The audio drivers this FluidSynth was built with, as the library names them.
    static std::vector<std::string> audioDrivers();

    // Creates the synth, `gainDb` decibels above its usual level, and loads the soundfont found
    // for `userPath`; null with a reason.
    static std::unique_ptr<FluidSynthEngine> create(const std::string& userPath, std::string* error,
                                                    double gainDb = 0.0);
    ~FluidSynthEngine() override;
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    // Plays one packed short message; kinds the synth has no use for are ignored.
    void apply(uint32_t message) override;
    void render(float* left, float* right, int frames, int stride) override;
    std::string describe() const override { return soundfont_; }
    // Loads, for a program change, the samples of the preset it selects, so that applying it
    // later (on the audio thread) reads nothing from the disk. Other messages are left alone.
    void preload(uint32_t message);

    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* synth() const { return synth_; }
    const std::string& soundfont() const { return soundfont_; }

private:
    FluidSynthEngine() = default;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    std::string soundfont_;
};

}  // namespace tinsori
