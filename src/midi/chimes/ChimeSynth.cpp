#include "midi/chimes/ChimeSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "midi/ports/ShortMessage.h"

namespace tinsori {

namespace {

constexpr int kChunkFrames = 256;
// Room for every chime of a full ring on two channels without allocating on the audio thread.
constexpr size_t kVoicesReserved = 160;
constexpr int kAllSoundOff = 120;
constexpr int kAllNotesOff = 123;

double NoteHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// The General MIDI volume curve, as the synthesizer has it: 40 log10(value / 127) dB.
double VolumeGain(int volume) {
    const double share = volume / 127.0;
    return share * share;
}

}  // namespace

ChimeSynth::ChimeSynth(const ChimeRingPlaces* places, double gainDb, int sampleRate)
    : places_(places),
      gain_(kGain * std::pow(10.0, gainDb / 20.0)),
      sampleRate_(sampleRate),
      mono_(kChunkFrames) {
    for (Channel& channel : channels_) channel.gain = VolumeGain(channel.volume);
    voices_.reserve(kVoicesReserved);
}

void ChimeSynth::apply(uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    const int channel = m.channel();
    if (m.data1 > 127 || m.data2 > 127) return;
    switch (m.kind()) {
        case kNoteOn:
            if (m.data2 > 0) {
                noteOn(channel, m.data1, m.data2);
                break;
            }
            [[fallthrough]];
        case kNoteOff:
            noteOff(channel, m.data1);
            break;
        case kControlChange:
            control(channel, m.data1, m.data2);
            break;
        case kProgramChange:
            channels_[channel].program = m.data1;
            break;
        default:
            break;
    }
}

ChimeSynth::Voice* ChimeSynth::find(int channel, int note) {
    const auto found = std::find_if(voices_.begin(), voices_.end(), [=](const Voice& v) {
        return v.channel == channel && v.note == note;
    });
    return found == voices_.end() ? nullptr : &*found;
}

void ChimeSynth::noteOn(int channel, int note, int velocity) {
    const ChimeMaterial& material = ChimeMaterial::ForProgram(channels_[channel].program);
    Voice* voice = find(channel, note);
    if (voice && &voice->tube.material() != &material) {
        // Another program hangs another tube there: the old one is taken down.
        voice->tube = TubeVoice(NoteHz(note), material, sampleRate_);
    } else if (!voice) {
        voices_.push_back(
            {TubeVoice(NoteHz(note), material, sampleRate_), channel, note, false, 0, 0, 0});
        voice = &voices_.back();
    }
    // Constant power: a chime straight ahead is as loud as one at the side.
    const double angle = (1.0 + (places_ ? places_->pan(note) : 0.0)) * std::numbers::pi / 4;
    voice->left = static_cast<float>(std::cos(angle));
    voice->right = static_cast<float>(std::sin(angle));
    voice->held = true;
    voice->struckAt = frame_;
    voice->tube.strike(velocity, gain_);
}

void ChimeSynth::noteOff(int channel, int note) {
    Voice* voice = find(channel, note);
    if (!voice || !voice->held) return;
    voice->held = false;
    // Released the moment it was struck: a free strike, which rings on by its own decay.
    if (voice->struckAt != frame_) voice->tube.damp();
}

void ChimeSynth::control(int channel, int controller, int value) {
    if (controller == kChannelVolume) {
        channels_[channel].volume = value;
    } else if (controller == kAllNotesOff) {
        for (const Voice& voice : voices_)
            if (voice.channel == channel) noteOff(channel, voice.note);
    } else if (controller == kAllSoundOff) {
        std::erase_if(voices_, [channel](const Voice& v) { return v.channel == channel; });
    }
}

void ChimeSynth::render(float* left, float* right, int frames, int stride) {
    while (frames > 0) {
        const int n = std::min(frames, kChunkFrames);
        renderChunk(left, right, n, stride);
        left += static_cast<ptrdiff_t>(n) * stride;
        right += static_cast<ptrdiff_t>(n) * stride;
        frames -= n;
    }
}

void ChimeSynth::renderChunk(float* left, float* right, int frames, int stride) {
    for (int i = 0; i < frames; ++i) left[i * stride] = right[i * stride] = 0.0f;
    for (Voice& voice : voices_) {
        std::fill_n(mono_.begin(), frames, 0.0f);
        voice.tube.render(mono_.data(), frames);
        const Channel& channel = channels_[voice.channel];
        // A volume change glides over the chunk instead of stepping, which would click.
        const double from = channel.gain;
        const double step = (VolumeGain(channel.volume) - from) / frames;
        for (int i = 0; i < frames; ++i) {
            const float sample = mono_[i] * static_cast<float>(from + step * (i + 1));
            left[i * stride] += sample * voice.left;
            right[i * stride] += sample * voice.right;
        }
    }
    for (Channel& channel : channels_) channel.gain = VolumeGain(channel.volume);
    std::erase_if(voices_, [](const Voice& v) { return !v.tube.sounding(); });
    frame_ += frames;
}

bool ChimeSynth::ringing() const {
    return std::any_of(voices_.begin(), voices_.end(),
                       [](const Voice& v) { return v.tube.amplitudeBound() >= kRingingAmplitude; });
}

}  // namespace tinsori
