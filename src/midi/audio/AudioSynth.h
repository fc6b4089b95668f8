#pragma once

#include <cstdint>
#include <string>

namespace tinsori {

// What turns short messages into stereo audio, pulled block by block: the embedded General MIDI
// synthesizer or the modelled chimes.
class AudioSynth {
public:
    static constexpr int kSampleRate = 44100;

    virtual ~AudioSynth() = default;
    // Plays one packed short message at the next frame rendered.
    virtual void apply(uint32_t message) = 0;
    // Writes the next `frames` frames, frame i at left[i * stride] and right[i * stride].
    virtual void render(float* left, float* right, int frames, int stride) = 0;
    // True while something still rings loud enough to be worth rendering past the usual tail.
    virtual bool ringing() const { return false; }
    // What it plays with, as a render names it ("modelled chimes", the soundfont's path).
    virtual std::string describe() const = 0;
};

}  // namespace tinsori
