#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "midi/ports/MidiPort.h"

namespace tinsori {

// An open port that stopped delivering: what it was, and why it stopped.
struct PortFailure {
    std::string port;
    std::string why;
};

// The open MIDI output (`midiOut`), shared by the UI and simulation threads. A send holds the
// lock for the duration of the port call, so a close can never free a port mid-send.
class MidiHandle {
public:
    MidiHandle() = default;
    MidiHandle(const MidiHandle&) = delete;
    MidiHandle& operator=(const MidiHandle&) = delete;

    // Takes ownership of an opened port (replacing any open one); null leaves the handle closed.
    void open(std::unique_ptr<MidiPort> port);
    // Closes (deletes) the port; sends after this are dropped.
    void close();
    // Closes the handle and gives the port to the caller, to delete where it suits.
    std::unique_ptr<MidiPort> take();
    bool isOpen() const;
    // The open port's description; empty when closed.
    std::string describe() const;

    // Every message that reaches the open port is also handed to the tap (the message log).
    // The tap is not owned and sees nothing while the handle is closed.
    void setTap(MidiPort* tap);

    // Closes the open port when it can no longer deliver, so that nothing more is sent to a
    // device that went away; none when the port is fine or the handle is closed.
    std::optional<PortFailure> closeIfFailed();
    // Why the open port is silent for now while it tries to play again; empty while it plays
    // or when the handle is closed.
    std::string interruption() const;

    // Sends when open; returns false (nothing sent) when closed.
    bool send(uint32_t message);

private:
    mutable std::mutex mutex_;
    std::unique_ptr<MidiPort> port_;
    MidiPort* tap_ = nullptr;
};

}  // namespace tinsori
