#include "midi/TimedMessageQueue.h"

#include <bit>

namespace tinsori {

TimedMessageQueue::TimedMessageQueue(size_t capacity)
    : slots_(std::bit_ceil(capacity < 2 ? size_t{2} : capacity)), mask_(slots_.size() - 1) {}

bool TimedMessageQueue::push(const TimedMessage& entry) {
    std::lock_guard lock(senders_);
    const size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == slots_.size()) return false;
    slots_[tail & mask_] = entry;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
}

const TimedMessage* TimedMessageQueue::front() const {
    const size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return nullptr;
    return &slots_[head & mask_];
}

void TimedMessageQueue::pop() {
    head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

}  // namespace tinsori
