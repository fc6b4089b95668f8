#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "midi/backends/AudioBlockSource.h"
#include "midi/backends/AudioOutput.h"
#include "midi/backends/PulseConnection.h"

namespace tinsori {

// The stream the desktop's mixer shows for the embedded synthesizer on a PulseAudio or PipeWire
// server: named after the program (with its icon and the "music" role, so that the user finds
// its volume). One thread of its own, raised ahead of ordinary threads, moves every block from
// the source to the server: the server is never left waiting on a thread that a busy machine
// holds back. When the server goes away the thread says so and connects again, a few seconds
// apart, until one answers.
class PulseAudioOutput : public AudioOutput {
public:
    // How long a server may take to answer before it counts as absent.
    static constexpr std::chrono::milliseconds kAnswerLimit{1000};
    // What is said while the server is gone.
    static constexpr const char* kServerGone = "the sound server went away";

    // Connects to the default server (within kAnswerLimit); null with the server's reason when
    // it cannot. Returns at once after that: the stream starts on the output's own thread.
    static std::unique_ptr<PulseAudioOutput> open(AudioBlockSource& source,
                                                  const PulseFormat& format, std::string* error);
    // Stops pulling and disconnects without waiting on the server.
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    std::string interruption() const override;

private:
    PulseAudioOutput(AudioBlockSource& source, const PulseFormat& format,
                     std::unique_ptr<PulseConnection> connection);
    void run();
    // Plays until the connection fails or the output stops.
    void play(PulseConnection& connection);
    // Writes what the server has room for; false when it had room for nothing.
    bool fill(PulseConnection& connection);
    // Waits `delay` (or until the output stops), settling what falls due meanwhile.
    void pause(std::chrono::milliseconds delay);
    std::unique_ptr<PulseConnection> reconnect();
    void setConnection(std::unique_ptr<PulseConnection> connection);
    bool running() const { return running_.load(std::memory_order_acquire); }

    AudioBlockSource& source_;
    PulseFormat format_;
    std::vector<float> left_, right_, interleaved_;
    mutable std::mutex mutex_;  // guards the two below and the stop's wake-up
    std::condition_variable stopped_;
    std::unique_ptr<PulseConnection> connection_;
    std::string interruption_;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

}  // namespace tinsori
