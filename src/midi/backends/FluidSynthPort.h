#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/LiveMessageScheduler.h"
#include "midi/backends/AudioBlockSource.h"
#include "midi/backends/AudioOutput.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/StereoBlockProcessor.h"
#include "midi/ports/MidiPort.h"
#include "platform/TickClock.h"

namespace tinsori {

// The default output: the embedded synthesizer playing live. Each message sounds at the frame
// heard a fixed latency after the start of the tick it was sent in, however the sound server
// happens to pull blocks; a PulseAudio (or PipeWire) server gets a stream named after the
// program, other servers and cards FluidSynth's own drivers. Deleting the port stops the audio
// and drops whatever is still queued, so a paused program renders nothing.
class FluidSynthPort : public MidiPort, private AudioBlockSource {
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

    // Audio drivers tried in order when none is named, among those the library has. A desktop
    // sound server comes first: opening the card directly through ALSA would take it away from
    // the other programs.
    static std::vector<std::string> audioDriverOrder();
    // Every audio driver the library has: the order above first, then the rest.
    static std::vector<std::string> audioDriverNames();

    // Loads the soundfont (`soundfont` empty: the default search) and starts `audioDriver`
    // (empty: the first of the order that opens). Null with a reason when either fails.
    // Messages belong to the start of their tick on `ticks` (null: the moment they are sent).
    static std::unique_ptr<FluidSynthPort> open(const std::string& soundfont,
                                                const std::string& audioDriver, std::string* error,
                                                double gainDb = 0.0,
                                                const SteadyTickClock* ticks = nullptr);
    ~FluidSynthPort() override;

    void send(uint32_t message) override;
    std::string describe() const override;
    std::string interruption() const override;
    // Note-ons dropped because the sound stalled past their time.
    uint64_t droppedNotes() const { return scheduler_.droppedNotes(); }

private:
    FluidSynthPort(std::unique_ptr<FluidSynthEngine> engine, const SteadyTickClock* ticks);
    bool start(const std::string& driverName, std::string* why);
    void renderBlock(float* left, float* right, int frames, int64_t heardNs) override;
    void settleUnheard(int64_t nowNs) override;

    std::unique_ptr<FluidSynthEngine> engine_;
    const SteadyTickClock* ticks_;
    LiveMessageScheduler scheduler_;
    // Applied to every block after synthesis: the limiter.
    std::unique_ptr<StereoBlockProcessor> postProcessor_;
    int64_t postProcessorNs_;
    std::unique_ptr<AudioOutput> audio_;
    fluid_audio_driver_t* driver_ = nullptr;
    // A FluidSynth driver that renders by itself (no block callback): messages play at once.
    bool untimed_ = false;
    std::string driverName_;
};

}  // namespace tinsori
