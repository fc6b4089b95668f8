#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/ports/MidiPort.h"
#include "midi/ports/ShortMessage.h"
#include "platform/TickClock.h"

namespace tinsori {

// One message as it reached the recorder, with the tick it arrived at.
struct RecordedMessage {
    uint32_t tick = 0;
    uint32_t message = 0;

    int status() const { return ShortMessage::decode(message).status; }
    int kind() const { return ShortMessage::decode(message).kind(); }
    int channel() const { return ShortMessage::decode(message).channel(); }
    int data1() const { return ShortMessage::decode(message).data1; }
    int data2() const { return ShortMessage::decode(message).data2; }
    bool isNoteOn() const { return kind() == 0x90; }
    bool isNoteOff() const { return kind() == 0x80; }
};

// Keeps every message it is sent, for checking what an operation played. Safe to send from
// several threads while another reads.
class RecordingPort : public MidiPort {
public:
    // Without a clock every message is recorded at tick 0.
    RecordingPort() = default;
    explicit RecordingPort(const TickClock& clock) : clock_(&clock) {}

    void send(uint32_t message) override;
    std::string describe() const override { return "recording"; }

    // A snapshot of everything recorded so far.
    std::vector<RecordedMessage> messages() const;
    size_t size() const;
    void clear();

    // A port that forwards to this recorder, to hand to a MIDI handle that will delete it.
    std::unique_ptr<MidiPort> borrow();

private:
    const TickClock* clock_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<RecordedMessage> messages_;
};

}  // namespace tinsori
