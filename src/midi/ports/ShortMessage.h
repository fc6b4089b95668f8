#pragma once

#include <cstdint>

namespace tinsori {

// The message kinds the program sends (high nibble of the status byte) and the volume controller.
inline constexpr int kNoteOff = 0x80;
inline constexpr int kNoteOn = 0x90;
inline constexpr int kControlChange = 0xB0;
inline constexpr int kProgramChange = 0xC0;
inline constexpr int kChannelVolume = 7;

// A packed short message taken apart, for the ports that write or play it.
struct ShortMessage {
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;

    static ShortMessage decode(uint32_t message) {
        return {static_cast<uint8_t>(message & 0xFFu), static_cast<uint8_t>((message >> 8) & 0xFFu),
                static_cast<uint8_t>((message >> 16) & 0xFFu)};
    }

    int kind() const { return status & 0xF0; }
    int channel() const { return status & 0x0F; }
    // Note-on, note-off, aftertouch, controller and pitch bend carry two data bytes; program
    // change and channel pressure one.
    int dataLength() const {
        const int k = kind();
        return (k == kProgramChange || k == 0xD0) ? 1 : 2;
    }
};

}  // namespace tinsori
