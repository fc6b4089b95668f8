#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "midi/MidiDevice.h"
#include "midi/ports/MidiPort.h"

namespace tinsori {

// Opens and deletes outputs on a thread of its own, so that the window never waits on a sound
// server or a soundfont. Of a burst of requests only the last is opened; what an earlier one
// opened is deleted unseen.
class OutputOpening {
public:
    struct Result {
        std::unique_ptr<MidiPort> port;  // null: it did not open, for `error`
        std::string error;
    };

    OutputOpening();
    // Waits for an open under way; asks for nothing more.
    ~OutputOpening();
    OutputOpening(const OutputOpening&) = delete;
    OutputOpening& operator=(const OutputOpening&) = delete;

    // Asks for a port from `opener` (which must not be empty), in place of whatever was asked
    // for before.
    void request(MidiPortOpener opener);
    // Nothing asked for is wanted any longer.
    void cancel();
    // The outcome of the last request, once there is one.
    std::optional<Result> take();
    // A request waits or is being opened.
    bool pending() const;
    // Deletes `port` on the opening thread: stopping an audio output may take a moment.
    void discard(std::unique_ptr<MidiPort> port);
    // Until nothing is being opened or deleted.
    void waitIdle();

private:
    void run();
    // With the lock held: the last request and its outcome are dropped.
    void forgetLastRequest();
    bool idle() const { return !wanted_ && !busy_ && doomed_.empty(); }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<MidiPortOpener> wanted_;
    std::optional<Result> ready_;
    std::vector<std::unique_ptr<MidiPort>> doomed_;
    bool busy_ = false;
    bool opening_ = false;  // the thread runs the opener of the last request
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tinsori
