#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/backends/AlsaPortWatch.h"
#include "midi/ports/MidiPort.h"
#include "platform/Texts.h"

class RtMidiOut;

namespace tinsori {

// An ALSA sequencer output port (a hardware synthesizer, a software synth's input), through
// RtMidi's ALSA back end only: its JACK back end crashes without a JACK server.
class AlsaSeqPort : public MidiPort {
public:
    // The names of the sequencer's output ports as RtMidi reports them, e.g.
    // "FLUID Synth (128):Synth input port (128:0)"; empty when there is no sequencer.
    static std::vector<std::string> listPorts(std::string* error = nullptr);

    // Opens the first port whose name contains `name`, or whose address is `name` as
    // "client:port". Null with a reason when there is no sequencer or no such port.
    static std::unique_ptr<AlsaSeqPort> open(const std::string& name, std::string* error);
    ~AlsaSeqPort() override;

    // Once a send failed or the port went away, nothing more is sent.
    void send(uint32_t message) override;
    std::string describe() const override { return TextCatalogue::Words(kTextAlsaPort, {name_}); }
    std::string whyStopped() override;

    // Index of the port that `name` selects among `ports`: its whole name, that name without the
    // trailing address, or the address "client:port" alone. -1 when none is.
    static int matchPort(const std::vector<std::string>& ports, const std::string& name);

private:
    AlsaSeqPort(std::unique_ptr<RtMidiOut> out, std::string name);
    static void recordError(int type, const std::string& text, void* port);

    // Declared before `out_`, whose closing may still report an error into it.
    std::string failure_;
    std::string name_;
    AlsaPortWatch watch_;
    std::unique_ptr<RtMidiOut> out_;
};

}  // namespace tinsori
