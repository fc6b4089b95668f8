#pragma once

#include <memory>

namespace tinsori {

// The stop signals (SIGINT, SIGTERM, SIGHUP) delivered on a descriptor instead of to a handler,
// so that nothing runs in signal context and an event loop can watch them. Create it before any
// thread starts: the signals are blocked in the creating thread, and threads inherit the mask.
class StopSignalDescriptor {
public:
    StopSignalDescriptor();
    ~StopSignalDescriptor();
    StopSignalDescriptor(const StopSignalDescriptor&) = delete;
    StopSignalDescriptor& operator=(const StopSignalDescriptor&) = delete;

    // Readable when a stop signal is pending; -1 when the system refused one.
    int fd() const { return fd_; }
    // The pending signal's number, taken off the descriptor; 0 when none was pending.
    int Take();

private:
    struct Masks;
    std::unique_ptr<Masks> masks_;
    int fd_ = -1;
};

}  // namespace tinsori
