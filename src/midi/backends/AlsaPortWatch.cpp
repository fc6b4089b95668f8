#include "midi/backends/AlsaPortWatch.h"

#include <alsa/asoundlib.h>

#include <cstdio>

namespace tinsori {

AlsaPortWatch::AlsaPortWatch(const std::string& address) {
    if (std::sscanf(address.c_str(), "%d:%d", &client_, &port_) != 2) return;
    if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) < 0) {
        seq_ = nullptr;
        return;
    }
    snd_seq_set_client_name(seq_, "Tinsori watch");
}

AlsaPortWatch::~AlsaPortWatch() {
    if (seq_) snd_seq_close(seq_);
}

bool AlsaPortWatch::connected() {
    if (!seq_) return true;
    snd_seq_port_info_t* info = nullptr;
    snd_seq_port_info_alloca(&info);
    if (snd_seq_get_any_port_info(seq_, client_, port_, info) < 0) return false;
    // Only a count that fell to none counts: our own subscription is among the writers.
    const bool writers = snd_seq_port_info_get_write_use(info) > 0;
    sawWriter_ = sawWriter_ || writers;
    return writers || !sawWriter_;
}

}  // namespace tinsori
