#include "midi/backends/PulseAudioOutput.h"

#include <algorithm>
#include <utility>

#include "platform/ThreadPriority.h"

namespace tinsori {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Between tries to reach a server that went away: soon at first, then a few seconds apart.
constexpr milliseconds kFirstRetry{1000};
constexpr milliseconds kLongestRetry{3000};
// The longest the thread waits on the server before it looks whether it should stop; a stop
// wakes it sooner.
constexpr int kPollMs = 100;
constexpr milliseconds kSettleEvery{100};

int64_t SteadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::unique_ptr<PulseAudioOutput> PulseAudioOutput::open(AudioBlockSource& source,
                                                         const PulseFormat& format,
                                                         std::string* error) {
    auto connection = PulseConnection::open(format, kAnswerLimit, {}, error);
    if (!connection) return nullptr;
    return std::unique_ptr<PulseAudioOutput>(
        new PulseAudioOutput(source, format, std::move(connection)));
}

PulseAudioOutput::PulseAudioOutput(AudioBlockSource& source, const PulseFormat& format,
                                   std::unique_ptr<PulseConnection> connection)
    : source_(source),
      format_(format),
      left_(format.blockFrames),
      right_(format.blockFrames),
      interleaved_(2 * static_cast<size_t>(format.blockFrames)),
      connection_(std::move(connection)),
      thread_([this] { run(); }) {}

PulseAudioOutput::~PulseAudioOutput() {
    {
        std::lock_guard lock(mutex_);
        running_.store(false, std::memory_order_release);
        if (connection_) connection_->wakeup();
    }
    stopped_.notify_all();
    thread_.join();
}

std::string PulseAudioOutput::interruption() const {
    std::lock_guard lock(mutex_);
    return interruption_;
}

void PulseAudioOutput::setConnection(std::unique_ptr<PulseConnection> connection) {
    std::unique_ptr<PulseConnection> old;
    std::lock_guard lock(mutex_);
    old = std::exchange(connection_, std::move(connection));
    interruption_ = connection_ ? "" : kServerGone;
}

void PulseAudioOutput::run() {
    // Ahead of ordinary threads, like the simulation: a late block is a gap in the sound.
    RaiseCurrentThreadPriority();
    milliseconds delay = kFirstRetry;
    while (running()) {
        // Only this thread replaces the connection, so it reads it without the lock.
        if (connection_) {
            play(*connection_);
            if (!running()) break;
            setConnection(nullptr);
            delay = kFirstRetry;
        }
        pause(delay);
        if (auto connection = reconnect())
            setConnection(std::move(connection));
        else
            delay = std::min(delay * 2, kLongestRetry);
    }
    setConnection(nullptr);
}

std::unique_ptr<PulseConnection> PulseAudioOutput::reconnect() {
    if (!running()) return nullptr;
    return PulseConnection::open(
        format_, kAnswerLimit, [this] { return !running(); }, nullptr);
}

void PulseAudioOutput::play(PulseConnection& connection) {
    int64_t lastBlock = SteadyNow();
    while (running() && connection.iterate(kPollMs)) {
        if (fill(connection)) {
            lastBlock = SteadyNow();
        } else if (SteadyNow() - lastBlock > kSettleEvery.count() * 1'000'000) {
            // A server that stopped asking (stopped, or stuck): what falls due is settled
            // meanwhile, as while it is gone.
            source_.settleUnheard(SteadyNow());
        }
    }
}

bool PulseAudioOutput::fill(PulseConnection& connection) {
    const size_t blockBytes = format_.bytes(format_.blockFrames);
    if (!connection.started()) {
        // The server waits for a full buffer before it plays: silence, so that what is due
        // meanwhile is not rendered ahead of a sound that has not started.
        std::fill(interleaved_.begin(), interleaved_.end(), 0.0f);
        while (connection.writableBytes() >= blockBytes)
            connection.write(interleaved_.data(), format_.blockFrames);
        source_.settleUnheard(SteadyNow());
        return true;
    }
    bool filled = false;
    for (size_t room = connection.writableBytes(); room >= blockBytes && running();
         room = connection.writableBytes()) {
        // A request comes when there is room behind what the server holds: this block is heard
        // after those frames, which the steady pace of the requests, smoothed by the sample
        // clock, tells better than the server's own latency report.
        const int64_t queued = std::max<int64_t>(
            0, format_.bufferFrames - static_cast<int64_t>((room - blockBytes) / format_.bytes(1)));
        const int64_t heard = SteadyNow() + queued * 1'000'000'000 / format_.sampleRate;
        source_.renderBlock(left_.data(), right_.data(), format_.blockFrames, heard);
        for (int i = 0; i < format_.blockFrames; ++i) {
            interleaved_[2 * i] = left_[i];
            interleaved_[2 * i + 1] = right_[i];
        }
        if (!connection.write(interleaved_.data(), format_.blockFrames)) break;
        filled = true;
    }
    return filled;
}

void PulseAudioOutput::pause(milliseconds delay) {
    const auto until = Clock::now() + delay;
    std::unique_lock lock(mutex_);
    while (running() && Clock::now() < until) {
        stopped_.wait_for(lock, std::min<Clock::duration>(until - Clock::now(), kSettleEvery));
        lock.unlock();
        source_.settleUnheard(SteadyNow());
        lock.lock();
    }
}

}  // namespace tinsori
