#pragma once

#include <cstdint>
#include <string>

namespace tinsori {

// One MIDI output: the embedded synthesizer, an ALSA sequencer port, a file writer, a recorder.
// `send` takes a packed short message (status in bits 0-7, data 1 in 8-15, data 2 in 16-23).
class MidiPort {
public:
    virtual ~MidiPort() = default;
    virtual void send(uint32_t message) = 0;
    // Where the messages go, as the window tells the user.
    virtual std::string describe() const = 0;
    // Why the port can no longer deliver anything (its device went away, a send failed); empty
    // while it can. Asked between sends, never during one.
    virtual std::string whyStopped() { return {}; }
    // Why nothing is heard for now while the port tries to play again by itself (its sound
    // server went away); empty while it plays. Any thread.
    virtual std::string interruption() const { return {}; }
};

}  // namespace tinsori
