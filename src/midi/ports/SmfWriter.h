#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/ports/RenderSink.h"
#include "platform/StagedFile.h"
#include "platform/Texts.h"
#include "platform/TickClock.h"

namespace tinsori {

// Collects the messages of a render and writes them as a type 0 Standard MIDI File in which one
// tick is one millisecond. The same messages at the same ticks give the same bytes.
class SmfWriter : public RenderSink {
public:
    // Creates the file's temporary stand-in at once, so that an unwritable folder fails before
    // the render; `finish` writes it and puts it in the target's place.
    static std::unique_ptr<SmfWriter> create(const TickClock& clock, const std::string& path,
                                             std::string* error);
    // Kept in memory only: `finish` writes nothing, `bytes` gives the file.
    explicit SmfWriter(const TickClock& clock);

    void send(uint32_t message) override;
    std::string describe() const override { return TextCatalogue::Words(kTextMidiFile); }
    bool finish(uint32_t endTick, std::string* error) override;

    // The whole file, ending its track at `endTick` (or at the last message if that is later).
    std::vector<uint8_t> bytes(uint32_t endTick) const;

    // Ticks per quarter note and microseconds per quarter note that make a tick a millisecond.
    static constexpr uint16_t kDivision = 1000;
    static constexpr uint32_t kTempo = 1000000;

private:
    struct Event {
        uint32_t tick;
        uint32_t message;
    };

    const TickClock& clock_;
    std::unique_ptr<StagedFile> staged_;  // none when kept in memory only
    mutable std::mutex mutex_;
    std::vector<Event> events_;
    bool finished_ = false;
};

}  // namespace tinsori
