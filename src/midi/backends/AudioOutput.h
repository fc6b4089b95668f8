#pragma once

#include <string>

namespace tinsori {

// What plays the blocks a synthesizer renders: a stream at a sound server, a sound card. It
// pulls from its source on a thread of its own from the moment it opens until it is deleted;
// deleting it never waits on a sound server that stopped answering.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Why nothing is heard for now while the output tries to play again by itself (the sound
    // server went away); empty while it plays. Any thread.
    virtual std::string interruption() const = 0;
};

}  // namespace tinsori
