#include "midi/ports/RecordingPort.h"

#include "midi/ports/ForwardingPort.h"

namespace tinsori {

void RecordingPort::send(uint32_t message) {
    const uint32_t tick = clock_ ? clock_->now() : 0;
    std::lock_guard lock(mutex_);
    messages_.push_back({tick, message});
}

std::vector<RecordedMessage> RecordingPort::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

size_t RecordingPort::size() const {
    std::lock_guard lock(mutex_);
    return messages_.size();
}

void RecordingPort::clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

std::unique_ptr<MidiPort> RecordingPort::borrow() {
    return std::make_unique<ForwardingPort>(*this);
}

}  // namespace tinsori
