#include "platform/StopSignalDescriptor.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace tinsori {

static_assert(kSessionEndSignal == SIGHUP);

struct StopSignalDescriptor::Masks {
    sigset_t stop{};
    sigset_t previous{};
};

StopSignalDescriptor::StopSignalDescriptor() : masks_(std::make_unique<Masks>()) {
    sigemptyset(&masks_->stop);
    sigaddset(&masks_->stop, SIGINT);
    sigaddset(&masks_->stop, SIGTERM);
    sigaddset(&masks_->stop, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &masks_->stop, &masks_->previous);
    fd_ = signalfd(-1, &masks_->stop, SFD_CLOEXEC | SFD_NONBLOCK);
}

StopSignalDescriptor::~StopSignalDescriptor() {
    // Stop signals still pending asked for the stop that has run: once unblocked, they would
    // end the program by their default action instead of letting it return.
    while (Take() != 0) {
    }
    if (fd_ >= 0) close(fd_);
    pthread_sigmask(SIG_SETMASK, &masks_->previous, nullptr);
}

int StopSignalDescriptor::Take() {
    signalfd_siginfo info{};
    if (fd_ < 0 || read(fd_, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) return 0;
    return static_cast<int>(info.ssi_signo);
}

int StopSignalDescriptor::Wait(int milliseconds) {
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, milliseconds);
    if (ready < 0) return errno == EINTR ? 0 : SIGTERM;
    return ready == 0 ? 0 : Take();
}

}  // namespace tinsori
