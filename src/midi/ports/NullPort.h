#pragma once

#include <string>

#include "midi/ports/MidiPort.h"
#include "platform/Texts.h"

namespace tinsori {

// `--output none`: an open device that drops every message, so the rest of the program runs
// exactly as with sound.
class NullPort : public MidiPort {
public:
    void send(uint32_t) override {}
    std::string describe() const override { return TextCatalogue::Words(kTextNoOutput); }
};

}  // namespace tinsori
