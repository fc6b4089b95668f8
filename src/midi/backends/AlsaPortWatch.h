#pragma once

#include <string>

struct _snd_seq;

namespace tinsori {

// Tells whether an ALSA sequencer port is still there to play on, from a sequencer client of its
// own (RtMidi keeps its handle to itself). A port that went away (its program ended, the device
// was unplugged) takes our subscription with it, and sends to no subscriber succeed, so a failing
// send alone would never show it.
class AlsaPortWatch {
public:
    // Watches the port at `address` ("client:port"); watches nothing (always connected) when the
    // address is none or the sequencer cannot be opened.
    explicit AlsaPortWatch(const std::string& address);
    ~AlsaPortWatch();
    AlsaPortWatch(const AlsaPortWatch&) = delete;
    AlsaPortWatch& operator=(const AlsaPortWatch&) = delete;

    // False once the port is gone, or once no client writes to it any more after one did (a
    // restarted synthesizer may get the same address, without our subscription).
    bool connected();

private:
    _snd_seq* seq_ = nullptr;
    int client_ = -1;
    int port_ = -1;
    bool sawWriter_ = false;
};

}  // namespace tinsori
