#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "midi/audio/AudioLevel.h"
#include "midi/ports/MidiPort.h"

namespace tinsori {

// A port that turns the messages of a render into a file. Messages carry the tick of the clock
// the sink was made with; `finish` completes the file at the given end tick.
class RenderSink : public MidiPort {
public:
    // Told between blocks how far a pass over the audio at `finish` has come (its name and the
    // fraction done); answering false stops finishing, which then fails and leaves no file.
    using PassWatch = std::function<bool(const std::string& pass, double fraction)>;

    virtual void watchPasses(PassWatch) {}
    // Writes out and closes the file, which replaces the target only now; false with a reason
    // when that fails. Destroying a sink before a successful finish leaves no file behind and
    // the target as it was. Sends after it are dropped.
    virtual bool finish(uint32_t endTick, std::string* error) = 0;
    // True once writing has failed: the rest of the render would be work thrown away.
    virtual bool failed() const { return false; }
    // The level of the audio written, for sinks that render audio; complete after `finish`.
    virtual std::optional<AudioLevel> level() const { return std::nullopt; }
};

}  // namespace tinsori
