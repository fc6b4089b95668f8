#include "midi/backends/ChimesPort.h"

#include <chrono>

namespace tinsori {

std::unique_ptr<ChimesPort> ChimesPort::open(const ChimeRingPlaces* ring, double gainDb,
                                             const SteadyTickClock* ticks, std::string* error) {
    std::unique_ptr<ChimesPort> port(new ChimesPort(ring, gainDb, ticks));
    port->audio_ = PulseAudioOutput::open(port->stream_, LiveSynthStream::kServerFormat, error);
    if (!port->audio_) return nullptr;
    return port;
}

ChimesPort::ChimesPort(const ChimeRingPlaces* ring, double gainDb, const SteadyTickClock* ticks)
    : synth_(ring, gainDb), ticks_(ticks), stream_(synth_) {}

ChimesPort::~ChimesPort() {
    // The stream's thread renders the tubes: it stops first.
    audio_.reset();
}

std::string ChimesPort::interruption() const {
    return audio_ ? audio_->interruption() : std::string();
}

void ChimesPort::send(uint32_t message) {
    stream_.post(ticks_ ? ticks_->currentTickStart() : std::chrono::steady_clock::now(), message);
}

}  // namespace tinsori
