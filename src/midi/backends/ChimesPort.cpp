#include "midi/backends/ChimesPort.h"

namespace tinsori {

std::unique_ptr<ChimesPort> ChimesPort::open(const ChimeRingPlaces* ring, double gainDb,
                                             const SteadyTickClock* ticks, std::string* error) {
    std::unique_ptr<ChimesPort> port(new ChimesPort(ring, gainDb, ticks));
    port->audio_ = PulseAudioOutput::open(port->stream_, LiveSynthStream::kServerFormat, error);
    if (!port->audio_) return nullptr;
    return port;
}

ChimesPort::ChimesPort(const ChimeRingPlaces* ring, double gainDb, const SteadyTickClock* ticks)
    : synth_(ring, gainDb), stream_(synth_, ticks) {}

ChimesPort::~ChimesPort() {
    // The stream's thread renders the tubes: it stops first.
    audio_.reset();
}

std::string ChimesPort::interruption() const {
    return audio_ ? audio_->interruption() : std::string();
}

void ChimesPort::send(uint32_t message) {
    stream_.post(message);
}

}  // namespace tinsori
