#include "platform/LiveTimebase.h"

#include <chrono>

#include "platform/ThreadPriority.h"

namespace tinsori {

LiveTimebase::~LiveTimebase() {
    if (thread_.joinable()) thread_.join();
}

void LiveTimebase::startThread(std::function<void()> body) {
    if (thread_.joinable()) return;
    thread_ = std::thread([this, body = std::move(body)] {
        RaiseCurrentThreadPriority();
        body();
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        finishedChanged_.notify_all();
    });
}

bool LiveTimebase::joinThread(uint32_t milliseconds) {
    if (!thread_.joinable()) return true;
    std::unique_lock lock(mutex_);
    const bool ended = finishedChanged_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                                 [this] { return finished_; });
    lock.unlock();
    if (ended) thread_.join();
    return ended;
}

}  // namespace tinsori
