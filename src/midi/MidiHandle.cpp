#include "midi/MidiHandle.h"

#include <utility>

namespace tinsori {

void MidiHandle::open(std::unique_ptr<MidiPort> port) {
    std::unique_ptr<MidiPort> old;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(port_, std::move(port));
    }
}

void MidiHandle::close() {
    std::unique_ptr<MidiPort> old;
    {
        std::lock_guard lock(mutex_);
        old = std::move(port_);
    }
    // The port is destroyed outside the lock: tearing down an audio driver can take a while.
}

std::unique_ptr<MidiPort> MidiHandle::take() {
    std::lock_guard lock(mutex_);
    return std::move(port_);
}

bool MidiHandle::isOpen() const {
    std::lock_guard lock(mutex_);
    return port_ != nullptr;
}

std::string MidiHandle::describe() const {
    std::lock_guard lock(mutex_);
    return port_ ? port_->describe() : std::string();
}

void MidiHandle::setTap(MidiPort* tap) {
    std::lock_guard lock(mutex_);
    tap_ = tap;
}

std::optional<PortFailure> MidiHandle::closeIfFailed() {
    std::unique_ptr<MidiPort> failed;
    PortFailure failure;
    {
        std::lock_guard lock(mutex_);
        if (!port_) return std::nullopt;
        failure.why = port_->whyStopped();
        if (failure.why.empty()) return std::nullopt;
        failure.port = port_->describe();
        failed = std::move(port_);
    }
    return failure;
}

std::string MidiHandle::interruption() const {
    std::lock_guard lock(mutex_);
    return port_ ? port_->interruption() : std::string();
}

bool MidiHandle::send(uint32_t message) {
    std::lock_guard lock(mutex_);
    if (!port_) return false;
    port_->send(message);
    if (tap_) tap_->send(message);
    return true;
}

}  // namespace tinsori
