#pragma once

#include <cstdint>

namespace tinsori {

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
        return (k == 0xC0 || k == 0xD0) ? 1 : 2;
    }
};

}  // namespace tinsori
