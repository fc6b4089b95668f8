#include "midi/backends/LiveSynthStream.h"

namespace tinsori {

namespace {

LiveMessageScheduler::Tuning SchedulerTuning() {
    LiveMessageScheduler::Tuning tuning;
    tuning.clock.sampleRate = AudioSynth::kSampleRate;
    tuning.latencyNs = LiveSynthStream::kLatencyNs;
    return tuning;
}

// One block of the stream: stretches of synthesis split at the messages.
class SynthBlock : public LiveMessageScheduler::Block {
public:
    SynthBlock(AudioSynth& synth, float* left, float* right)
        : synth_(synth), left_(left), right_(right) {}
    void render(int offset, int count) override {
        synth_.render(left_ + offset, right_ + offset, count, 1);
    }
    void apply(uint32_t message) override { synth_.apply(message); }

private:
    AudioSynth& synth_;
    float* left_;
    float* right_;
};

}  // namespace

LiveSynthStream::LiveSynthStream(AudioSynth& synth, const SteadyTickClock* ticks)
    : synth_(synth),
      ticks_(ticks),
      scheduler_(SchedulerTuning()),
      limiter_(AudioSynth::kSampleRate),
      limiterNs_(int64_t{1'000'000'000} * limiter_.latencyFrames() / AudioSynth::kSampleRate) {}

void LiveSynthStream::post(uint32_t message) {
    const auto tickStart = ticks_ ? ticks_->currentTickStart() : std::chrono::steady_clock::now();
    scheduler_.post(
        std::chrono::duration_cast<std::chrono::nanoseconds>(tickStart.time_since_epoch()).count(),
        message);
}

void LiveSynthStream::renderBlock(float* left, float* right, int frames, int64_t heardNs) {
    SynthBlock block(synth_, left, right);
    scheduler_.runBlock(frames, heardNs + limiterNs_, block);
    limiter_.process(left, right, frames);
}

void LiveSynthStream::settleUnheard(int64_t nowNs) {
    SynthBlock block(synth_, nullptr, nullptr);
    scheduler_.settleUnheard(nowNs, block);
}

}  // namespace tinsori
