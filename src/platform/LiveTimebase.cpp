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
        const PriorityGrant grant = RaiseCurrentThreadPriority();
        {
            std::lock_guard lock(mutex_);
            grant_ = grant;
            asked_ = true;
        }
        finishedChanged_.notify_all();
        if (report_) report_(grant);
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

PriorityGrant LiveTimebase::priorityGrant() {
    // Longer than RealtimeKit's call time-out, so a slow daemon still gets its answer told.
    constexpr auto kPatience = std::chrono::seconds(3);
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) return grant_;
    finishedChanged_.wait_for(lock, kPatience, [this] { return asked_; });
    return grant_;
}

}  // namespace tinsori
