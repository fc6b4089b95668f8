#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <pulse/simple.h>

#include "midi/backends/AudioBlockSource.h"

namespace tinsori {

// The stream the desktop's mixer shows for the embedded synthesizer on a PulseAudio or PipeWire
// server: named after the program (with its icon and the "music" role, so that the user finds
// its volume), pulling blocks from a source on a thread of its own.
class PulseAudioOutput {
public:
    static constexpr const char* kApplicationName = "Tinsori";
    static constexpr const char* kIconName = "org.quillfen.Tinsori";
    static constexpr const char* kStreamName = "Wind chimes";

    // Connects to the default server; null with the server's reason when it cannot.
    // `blockFrames` per pull; `bufferFrames` is the most the server keeps queued ahead. Returns
    // once the server plays the stream (or after a few seconds): a server can take a second to
    // start a new stream, and notes sent meanwhile would all sound at once when it does.
    static std::unique_ptr<PulseAudioOutput> open(AudioBlockSource& source, int sampleRate,
                                                  int blockFrames, int bufferFrames,
                                                  std::string* error);
    // Stops pulling (waits for the block being written) and disconnects; what is queued at the
    // server is dropped.
    ~PulseAudioOutput();
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

private:
    PulseAudioOutput(AudioBlockSource& source, pa_simple* stream, int blockFrames, int64_t aheadNs);
    void run();
    // Writes silence until the server takes it at its own pace.
    void waitUntilPlaying();
    bool write(const float* frames, int* code);

    AudioBlockSource& source_;
    pa_simple* stream_;
    int blockFrames_;
    int64_t aheadNs_;  // from a request to the sound of the block asked for
    std::vector<float> left_, right_, interleaved_;
    std::atomic<bool> running_{true};
    std::promise<void> playing_;
    std::thread thread_;
};

}  // namespace tinsori
