#include "midi/backends/ChimesPort.h"

#include <chrono>

#include "midi/backends/FluidSynthPort.h"

namespace tinsori {

namespace {

LiveMessageScheduler::Tuning SchedulerTuning() {
    LiveMessageScheduler::Tuning tuning;
    tuning.clock.sampleRate = AudioSynth::kSampleRate;
    tuning.latencyNs = FluidSynthPort::kLatencyNs;
    return tuning;
}

// One block of the stream: stretches of the tubes' sound split at the messages.
class ChimesBlock : public LiveMessageScheduler::Block {
public:
    ChimesBlock(ChimeSynth& synth, float* left, float* right)
        : synth_(synth), left_(left), right_(right) {}
    void render(int offset, int count) override {
        synth_.render(left_ + offset, right_ + offset, count, 1);
    }
    void apply(uint32_t message) override { synth_.apply(message); }

private:
    ChimeSynth& synth_;
    float* left_;
    float* right_;
};

}  // namespace

std::unique_ptr<ChimesPort> ChimesPort::open(const ChimeRingPlaces* ring, double gainDb,
                                             const SteadyTickClock* ticks, std::string* error) {
    std::unique_ptr<ChimesPort> port(new ChimesPort(ring, gainDb, ticks));
    // The synthesizer's block and server buffer: the same latency and the same low CPU.
    port->audio_ = PulseAudioOutput::open(*port,
                                          {AudioSynth::kSampleRate, FluidSynthPort::kBlockFrames,
                                           FluidSynthPort::kServerBufferFrames},
                                          error);
    if (!port->audio_) return nullptr;
    return port;
}

ChimesPort::ChimesPort(const ChimeRingPlaces* ring, double gainDb, const SteadyTickClock* ticks)
    : synth_(ring, gainDb),
      ticks_(ticks),
      scheduler_(SchedulerTuning()),
      limiter_(AudioSynth::kSampleRate),
      // The limiter's look-ahead delays what is heard: messages are placed that much earlier.
      limiterNs_(int64_t{1'000'000'000} * limiter_.latencyFrames() / AudioSynth::kSampleRate) {}

ChimesPort::~ChimesPort() {
    // The stream's thread renders the tubes: it stops first.
    audio_.reset();
}

void ChimesPort::settleUnheard(int64_t nowNs) {
    ChimesBlock block(synth_, nullptr, nullptr);
    scheduler_.settleUnheard(nowNs, block);
}

std::string ChimesPort::interruption() const {
    return audio_ ? audio_->interruption() : std::string();
}

void ChimesPort::send(uint32_t message) {
    const auto stamp = ticks_ ? ticks_->currentTickStart() : std::chrono::steady_clock::now();
    scheduler_.post(
        std::chrono::duration_cast<std::chrono::nanoseconds>(stamp.time_since_epoch()).count(),
        message);
}

void ChimesPort::renderBlock(float* left, float* right, int frames, int64_t heardNs) {
    ChimesBlock block(synth_, left, right);
    scheduler_.runBlock(frames, heardNs + limiterNs_, block);
    limiter_.process(left, right, frames);
}

}  // namespace tinsori
