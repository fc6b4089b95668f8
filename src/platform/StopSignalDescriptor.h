#pragma once

#include <memory>

namespace tinsori {

// The number a stop request carries when the user's session is ending (SIGHUP on Linux; log-off
// and shut-down on Windows): the shorter shut-down runs.
inline constexpr int kSessionEndSignal = 1;

// The stop signals (SIGINT, SIGTERM, SIGHUP) delivered on a descriptor instead of to a handler,
// so that nothing runs in signal context and an event loop can watch them. Create it before any
// thread starts: the signals are blocked in the creating thread, and threads inherit the mask.
// On Windows the console's control events stand for them: Ctrl+C and Ctrl+Break for SIGINT, the
// console window closing for SIGTERM, log-off and shut-down for kSessionEndSignal.
class StopSignalDescriptor {
public:
    StopSignalDescriptor();
    ~StopSignalDescriptor();
    StopSignalDescriptor(const StopSignalDescriptor&) = delete;
    StopSignalDescriptor& operator=(const StopSignalDescriptor&) = delete;

    // Readable when a stop signal is pending; -1 when the system refused one (always on Windows,
    // which has no such descriptor).
    int fd() const { return fd_; }
    // The pending signal's number, taken off the descriptor; 0 when none was pending.
    int Take();
    // Waits at most `milliseconds` for a stop signal and takes it; 0 when none came.
    int Wait(int milliseconds);

private:
    struct Masks;
    std::unique_ptr<Masks> masks_;
    int fd_ = -1;
};

}  // namespace tinsori
