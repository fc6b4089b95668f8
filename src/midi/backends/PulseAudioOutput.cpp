#include "midi/backends/PulseAudioOutput.h"

#include <pulse/error.h>

#include <chrono>
#include <cstdlib>

#include "platform/ThreadPriority.h"

namespace tinsori {

namespace {

// libpulse reads the client's properties from the environment when it connects; a user's own
// PULSE_PROP_... settings win.
void DescribeClient() {
    ::setenv("PULSE_PROP_application.icon_name", PulseAudioOutput::kIconName, 0);
    ::setenv("PULSE_PROP_media.role", "music", 0);
}

// How long a new stream may take to start before notes go ahead anyway.
constexpr auto kStartLimit = std::chrono::seconds(3);
// A write that waited this long found the buffer full: the server is taking the stream.
constexpr int64_t kBlockedWriteNs = 2'000'000;

int64_t SteadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::unique_ptr<PulseAudioOutput> PulseAudioOutput::open(AudioBlockSource& source, int sampleRate,
                                                         int blockFrames, int bufferFrames,
                                                         std::string* error) {
    DescribeClient();
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(sampleRate), 2};
    const auto bytes = [](int frames) { return static_cast<uint32_t>(frames) * 2 * sizeof(float); };
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<uint32_t>(-1);
    buffer.tlength = bytes(bufferFrames);
    buffer.prebuf = static_cast<uint32_t>(-1);
    buffer.minreq = bytes(blockFrames);
    buffer.fragsize = static_cast<uint32_t>(-1);
    int code = 0;
    pa_simple* stream = pa_simple_new(nullptr, kApplicationName, PA_STREAM_PLAYBACK, nullptr,
                                      kStreamName, &spec, nullptr, &buffer, &code);
    if (!stream) {
        if (error) *error = pa_strerror(code);
        return nullptr;
    }
    const int64_t aheadNs = int64_t{1'000'000'000} * bufferFrames / sampleRate;
    std::unique_ptr<PulseAudioOutput> output(
        new PulseAudioOutput(source, stream, blockFrames, aheadNs));
    output->playing_.get_future().wait_for(kStartLimit);
    return output;
}

PulseAudioOutput::PulseAudioOutput(AudioBlockSource& source, pa_simple* stream, int blockFrames,
                                   int64_t aheadNs)
    : source_(source),
      stream_(stream),
      blockFrames_(blockFrames),
      aheadNs_(aheadNs),
      left_(blockFrames),
      right_(blockFrames),
      interleaved_(2 * blockFrames),
      thread_([this] { run(); }) {}

PulseAudioOutput::~PulseAudioOutput() {
    running_.store(false, std::memory_order_relaxed);
    thread_.join();
    pa_simple_free(stream_);
}

bool PulseAudioOutput::write(const float* frames, int* code) {
    return pa_simple_write(stream_, frames, 2 * sizeof(float) * static_cast<size_t>(blockFrames_),
                           code) >= 0;
}

void PulseAudioOutput::waitUntilPlaying() {
    const std::vector<float> silence(2 * static_cast<size_t>(blockFrames_), 0.0f);
    const int64_t limit = SteadyNow() + std::chrono::nanoseconds(kStartLimit).count();
    int code = 0;
    while (running_.load(std::memory_order_relaxed) && SteadyNow() < limit) {
        const int64_t before = SteadyNow();
        if (!write(silence.data(), &code) || SteadyNow() - before >= kBlockedWriteNs) break;
    }
    playing_.set_value();
}

void PulseAudioOutput::run() {
    // Ahead of ordinary threads, like the simulation: a late block is a gap in the sound.
    RaiseCurrentThreadPriority();
    waitUntilPlaying();
    while (running_.load(std::memory_order_relaxed)) {
        // The moment the server asks is the moment it has room for a block behind what it
        // holds: a buffer's length ahead. Its own latency report wanders by several ms over
        // seconds, so the even pace of the requests, smoothed by the sample clock, is the
        // better guide.
        source_.renderBlock(left_.data(), right_.data(), blockFrames_, SteadyNow() + aheadNs_);
        for (int i = 0; i < blockFrames_; ++i) {
            interleaved_[2 * i] = left_[i];
            interleaved_[2 * i + 1] = right_[i];
        }
        // Blocks until the server has room: this is what paces the thread. An error means the
        // server went away; the port stays open and silent, as a vanished sound card would.
        int code = 0;
        if (!write(interleaved_.data(), &code)) break;
    }
}

}  // namespace tinsori
