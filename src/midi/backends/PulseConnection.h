#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include <pulse/pulseaudio.h>

namespace tinsori {

// What the stream carries: 32-bit float stereo at `sampleRate`, pulled `blockFrames` at a time,
// at most `bufferFrames` queued at the server ahead of the sound.
struct PulseFormat {
    int sampleRate = 44100;
    int blockFrames = 512;
    int bufferFrames = 1536;

    size_t bytes(int frames) const { return static_cast<size_t>(frames) * 2 * sizeof(float); }
};

// One connection to the default PulseAudio (or PipeWire) server with one playback stream, on a
// main loop that its owner drives: no thread of the library's own, and no call that waits on the
// server without a time limit. One thread uses it at a time; `wakeup` may come from any.
class PulseConnection {
public:
    static constexpr const char* kApplicationName = "Tinsori";
    static constexpr const char* kIconName = "org.quillfen.Tinsori";
    static constexpr const char* kStreamName = "Wind chimes";
    // The reason given when a server is there but did not answer in time.
    static constexpr const char* kNoAnswer = "the sound server does not answer";

    // Connects and opens the stream within `limit`, giving up early when `cancelled` says so;
    // null with the server's reason, or that it did not answer, when it cannot.
    static std::unique_ptr<PulseConnection> open(const PulseFormat& format,
                                                 std::chrono::milliseconds limit,
                                                 const std::function<bool()>& cancelled,
                                                 std::string* error);
    // Disconnects at once; what is queued at the server is dropped.
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Waits up to `timeoutMs` for the server (or a wakeup) and handles what it sent. False once
    // the connection or the stream has failed.
    bool iterate(int timeoutMs);
    // Ends a wait of `iterate` early. Any thread.
    void wakeup();
    // Bytes the server has room for now.
    size_t writableBytes() const;
    bool write(const float* interleaved, int frames);
    // The server has started to play what was queued (it waits for a full buffer first).
    bool started() const { return started_; }

private:
    PulseConnection();
    bool connect();
    // Once the context is ready: the stream, asked for.
    bool startStream(const PulseFormat& format);
    void waitUntilReady(std::chrono::milliseconds limit, const std::function<bool()>& cancelled,
                        const PulseFormat& format);
    bool ready() const;
    bool failed() const;
    std::string failure() const;
    static void onStarted(pa_stream* stream, void* self);

    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool streamRefused_ = false;
    bool started_ = false;
};

}  // namespace tinsori
