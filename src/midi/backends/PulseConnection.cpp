#include "midi/backends/PulseConnection.h"

#include <cstdint>

namespace tinsori {

namespace {

using Clock = std::chrono::steady_clock;

// A wait on the server is cut into slices this long, so that a cancel is seen soon.
constexpr int kSliceMs = 20;

// The program's name, icon and role, given through the API: a user's own PULSE_PROP_... settings
// still win, as libpulse lets the environment override what a program sets.
pa_proplist* Properties() {
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, PulseConnection::kApplicationName);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, PulseConnection::kIconName);
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
    return properties;
}

pa_buffer_attr BufferAttributes(const PulseFormat& format) {
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<uint32_t>(-1);
    buffer.tlength = static_cast<uint32_t>(format.bytes(format.bufferFrames));
    buffer.prebuf = static_cast<uint32_t>(-1);
    buffer.minreq = static_cast<uint32_t>(format.bytes(format.blockFrames));
    buffer.fragsize = static_cast<uint32_t>(-1);
    return buffer;
}

}  // namespace

PulseConnection::PulseConnection() : loop_(pa_mainloop_new()) {}

PulseConnection::~PulseConnection() {
    if (stream_) {
        pa_stream_set_started_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_mainloop_free(loop_);
}

std::unique_ptr<PulseConnection> PulseConnection::open(const PulseFormat& format,
                                                       std::chrono::milliseconds limit,
                                                       const std::function<bool()>& cancelled,
                                                       std::string* error) {
    std::unique_ptr<PulseConnection> connection(new PulseConnection());
    if (connection->connect()) connection->waitUntilReady(limit, cancelled, format);
    if (connection->ready()) return connection;
    if (error) *error = connection->failed() ? connection->failure() : kNoAnswer;
    return nullptr;
}

bool PulseConnection::connect() {
    pa_proplist* properties = Properties();
    context_ =
        pa_context_new_with_proplist(pa_mainloop_get_api(loop_), kApplicationName, properties);
    pa_proplist_free(properties);
    // No autospawn: a server that is not running is reported, not started behind the user.
    return context_ && pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
}

void PulseConnection::waitUntilReady(std::chrono::milliseconds limit,
                                     const std::function<bool()>& cancelled,
                                     const PulseFormat& format) {
    const auto deadline = Clock::now() + limit;
    while (!ready() && !failed() && Clock::now() < deadline && !(cancelled && cancelled())) {
        iterate(kSliceMs);
        if (!stream_ && pa_context_get_state(context_) == PA_CONTEXT_READY)
            streamRefused_ = !startStream(format);
    }
}

bool PulseConnection::startStream(const PulseFormat& format) {
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(format.sampleRate), 2};
    pa_proplist* properties = Properties();
    stream_ = pa_stream_new_with_proplist(context_, kStreamName, &spec, nullptr, properties);
    pa_proplist_free(properties);
    if (!stream_) return false;
    pa_stream_set_started_callback(stream_, &PulseConnection::onStarted, this);
    const pa_buffer_attr buffer = BufferAttributes(format);
    // The buffer's length is the whole latency: the server sizes its sink's wake-ups from it.
    return pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                      nullptr) >= 0;
}

void PulseConnection::onStarted(pa_stream*, void* self) {
    static_cast<PulseConnection*>(self)->started_ = true;
}

bool PulseConnection::ready() const {
    return stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY;
}

bool PulseConnection::failed() const {
    if (!context_ || streamRefused_) return true;
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) return true;
    return stream_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
}

std::string PulseConnection::failure() const {
    return context_ ? pa_strerror(pa_context_errno(context_)) : "no PulseAudio client";
}

bool PulseConnection::iterate(int timeoutMs) {
    if (pa_mainloop_prepare(loop_, timeoutMs * 1000) < 0 || pa_mainloop_poll(loop_) < 0 ||
        pa_mainloop_dispatch(loop_) < 0)
        return false;
    return !failed();
}

void PulseConnection::wakeup() {
    pa_mainloop_wakeup(loop_);
}

size_t PulseConnection::writableBytes() const {
    const size_t bytes = pa_stream_writable_size(stream_);
    return bytes == static_cast<size_t>(-1) ? 0 : bytes;
}

bool PulseConnection::write(const float* interleaved, int frames) {
    const size_t bytes = static_cast<size_t>(frames) * 2 * sizeof(float);
    return pa_stream_write(stream_, interleaved, bytes, nullptr, 0, PA_SEEK_RELATIVE) >= 0;
}

}  // namespace tinsori
