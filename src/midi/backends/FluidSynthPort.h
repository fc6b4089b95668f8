#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/backends/AudioOutput.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/LiveSynthStream.h"
#include "midi/ports/MidiPort.h"
#include "platform/TickClock.h"

namespace tinsori {

// The default output: the embedded synthesizer playing live. Each message sounds at the frame
// heard a fixed latency after the start of the tick it was sent in, however the sound server
// happens to pull blocks; a PulseAudio (or PipeWire) server gets a stream named after the
// program, other servers and cards FluidSynth's own drivers. Deleting the port stops the audio
// and drops whatever is still queued, so a paused program renders nothing.
class FluidSynthPort : public MidiPort {
public:
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
    uint64_t droppedNotes() const { return stream_.droppedNotes(); }

private:
    FluidSynthPort(std::unique_ptr<FluidSynthEngine> engine, const SteadyTickClock* ticks);
    bool start(const std::string& driverName, std::string* why);

    std::unique_ptr<FluidSynthEngine> engine_;
    LiveSynthStream stream_;
    std::unique_ptr<AudioOutput> audio_;
    fluid_audio_driver_t* driver_ = nullptr;
    // A FluidSynth driver that renders by itself (no block callback): messages play at once.
    bool untimed_ = false;
    std::string driverName_;
};

}  // namespace tinsori
