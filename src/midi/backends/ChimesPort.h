#pragma once

#include <memory>
#include <string>

#include "midi/backends/LiveSynthStream.h"
#include "midi/backends/PulseAudioOutput.h"
#include "midi/chimes/ChimeSynth.h"
#include "midi/ports/MidiPort.h"
#include "platform/Texts.h"
#include "platform/TickClock.h"

namespace tinsori {

// The modelled chimes playing live, on the embedded synthesizer's audio path: a sound server's
// stream, each message at its tick's frame a fixed latency later, the limiter. Deleting the port
// stops the stream, so a paused program renders nothing.
class ChimesPort : public MidiPort {
public:
    // Null with the sound server's reason when no stream can be opened. `ring` may be null
    // (every chime in the middle) and must outlive the port, as `ticks` must (null: messages
    // belong to the moment they are sent).
    static std::unique_ptr<ChimesPort> open(const ChimeRingPlaces* ring, double gainDb,
                                            const SteadyTickClock* ticks, std::string* error);
    ~ChimesPort() override;

    void send(uint32_t message) override;
    std::string describe() const override { return TextCatalogue::Words(kTextModelledChimes); }
    std::string interruption() const override;

private:
    ChimesPort(const ChimeRingPlaces* ring, double gainDb, const SteadyTickClock* ticks);

    ChimeSynth synth_;
    LiveSynthStream stream_;
    std::unique_ptr<AudioOutput> audio_;
};

}  // namespace tinsori
