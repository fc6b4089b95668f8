#pragma once

#include <chrono>
#include <cstdint>

#include "midi/LiveMessageScheduler.h"
#include "midi/audio/AudioSynth.h"
#include "midi/backends/AudioBlockSource.h"
#include "midi/backends/LiveLimiter.h"
#include "midi/backends/PulseConnection.h"
#include "platform/TickClock.h"

namespace tinsori {

// What a synthesizer playing live needs between the messages it is sent and the blocks an audio
// output pulls: each message sounds at the frame heard a fixed latency after the start of its
// tick, however the output happens to pull, and the limiter keeps every block under its ceiling.
class LiveSynthStream : public AudioBlockSource {
public:
    // From the start of a message's tick to its sound leaving the sound server, at most.
    static constexpr int64_t kLatencyNs = 58'000'000;
    // Frames synthesized per wake-up of the audio thread: large for low CPU, which placing the
    // messages inside the block allows; small enough for the latency above.
    static constexpr int kBlockFrames = 512;
    // The most a PulseAudio server keeps queued ahead of the sound. PulseAudio gives its sink
    // what is left after two blocks, halved: with 1024 the sink would wake every half
    // millisecond and underrun on a busy machine; 1536 leaves it 5.8 ms. The latency above
    // covers this, a block and the limiter's look-ahead, with 7 ms to spare for a late sender.
    static constexpr int kServerBufferFrames = 1536;
    // The sound server stream that carries it.
    static constexpr PulseFormat kServerFormat{AudioSynth::kSampleRate, kBlockFrames,
                                               kServerBufferFrames};

    // `synth` must outlive the stream, as `ticks` must (null: messages belong to the moment they
    // are posted).
    LiveSynthStream(AudioSynth& synth, const SteadyTickClock* ticks);

    // Queues a message of the tick running now.
    void post(uint32_t message);
    void renderBlock(float* left, float* right, int frames, int64_t heardNs) override;
    void settleUnheard(int64_t nowNs) override;
    // Note-ons dropped because the sound stalled past their time.
    uint64_t droppedNotes() const { return scheduler_.droppedNotes(); }

private:
    AudioSynth& synth_;
    const SteadyTickClock* ticks_;
    LiveMessageScheduler scheduler_;
    LiveLimiter limiter_;
    // The limiter's look-ahead delays what is heard: messages are placed that much earlier.
    int64_t limiterNs_;
};

}  // namespace tinsori
