#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tinsori {

// A short message with the steady time it belongs to.
struct TimedMessage {
    int64_t stampNs = 0;
    uint32_t message = 0;
};

// Hands messages from the threads that send them to the audio thread, in the order sent. The
// audio thread never waits: its side is lock-free. Senders take a lock among themselves only.
class TimedMessageQueue {
public:
    // Room for `capacity` messages, rounded up to a power of two.
    explicit TimedMessageQueue(size_t capacity);

    // Any thread. False (message dropped) when full, which only a stopped audio thread allows.
    bool push(const TimedMessage& entry);

    // Audio thread only: the oldest message, or null; `pop` removes it.
    const TimedMessage* front() const;
    void pop();

private:
    std::vector<TimedMessage> slots_;
    size_t mask_;
    std::mutex senders_;
    std::atomic<size_t> head_{0};  // next to read, written by the audio thread
    std::atomic<size_t> tail_{0};  // next to write, written by senders
};

}  // namespace tinsori
