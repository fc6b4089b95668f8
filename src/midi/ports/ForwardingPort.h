#pragma once

#include <string>

#include "midi/ports/MidiPort.h"

namespace tinsori {

// Lends a port owned elsewhere to a MIDI handle: closing the handle deletes only this forwarder,
// so a recorder or file writer outlives the device and can still be read or finished.
class ForwardingPort : public MidiPort {
public:
    explicit ForwardingPort(MidiPort& target) : target_(target) {}
    void send(uint32_t message) override { target_.send(message); }
    std::string describe() const override { return target_.describe(); }
    std::string whyStopped() override { return target_.whyStopped(); }
    std::string interruption() const override { return target_.interruption(); }

private:
    MidiPort& target_;
};

}  // namespace tinsori
