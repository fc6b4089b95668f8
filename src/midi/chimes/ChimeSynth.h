#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "midi/audio/AudioSynth.h"
#include "midi/chimes/ChimeRingPlaces.h"
#include "midi/chimes/TubeVoice.h"

namespace tinsori {

// The modelled chimes: one tube per channel and note, its material chosen by the channel's
// program, panned by where its chime hangs in the ring. The volume controller scales what rings;
// a note-off damps a held tube, while one released at the moment it was struck rings free, as the
// model's unheld notes do.
class ChimeSynth : public AudioSynth {
public:
    // Puts the built-in favorites' median near -23 LUFS, as the synthesizer's gain does, while
    // one tube at the hardest strike and full volume stays below full scale wherever it hangs.
    static constexpr double kGain = 1.0;
    // Beyond the usual tail, a render waits until every tube has fallen below -60 dBFS.
    static constexpr double kRingingAmplitude = 1e-3;

    // `places` may be null (every chime in the middle); it must outlive the synth.
    explicit ChimeSynth(const ChimeRingPlaces* places, double gainDb = 0.0,
                        int sampleRate = kSampleRate);

    void apply(uint32_t message) override;
    void render(float* left, float* right, int frames, int stride) override;
    bool ringing() const override;
    std::string describe() const override { return "modelled chimes"; }

    // The tubes sounding now.
    int voiceCount() const { return static_cast<int>(voices_.size()); }

private:
    struct Voice {
        TubeVoice tube;
        int channel;
        int note;
        bool held;
        uint64_t struckAt;  // the frame of the last strike
        float left, right;  // pan gains
    };
    struct Channel {
        int program = 0;
        int volume = 100;
        double gain = 0;  // the volume's gain as last rendered, ramped towards the new one
    };

    void noteOn(int channel, int note, int velocity);
    void noteOff(int channel, int note);
    void control(int channel, int controller, int value);
    Voice* find(int channel, int note);
    void renderChunk(float* left, float* right, int frames, int stride);

    const ChimeRingPlaces* places_;
    double gain_;
    int sampleRate_;
    uint64_t frame_ = 0;
    std::array<Channel, 16> channels_{};
    std::vector<Voice> voices_;
    std::vector<float> mono_;
};

}  // namespace tinsori
