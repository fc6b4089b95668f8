#include "player/OutputOpening.h"

#include <utility>

namespace tinsori {

OutputOpening::OutputOpening() : thread_([this] { run(); }) {}

OutputOpening::~OutputOpening() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        wanted_.reset();
    }
    changed_.notify_all();
    thread_.join();
}

void OutputOpening::request(MidiPortOpener opener) {
    {
        std::lock_guard lock(mutex_);
        forgetLastRequest();
        wanted_ = std::move(opener);
    }
    changed_.notify_all();
}

void OutputOpening::cancel() {
    {
        std::lock_guard lock(mutex_);
        forgetLastRequest();
    }
    changed_.notify_all();
}

void OutputOpening::forgetLastRequest() {
    opening_ = false;
    wanted_.reset();
    if (ready_ && ready_->port) doomed_.push_back(std::move(ready_->port));
    ready_.reset();
}

std::optional<OutputOpening::Result> OutputOpening::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(ready_, std::nullopt);
}

bool OutputOpening::pending() const {
    std::lock_guard lock(mutex_);
    return wanted_.has_value() || opening_;
}

void OutputOpening::discard(std::unique_ptr<MidiPort> port) {
    if (!port) return;
    {
        std::lock_guard lock(mutex_);
        doomed_.push_back(std::move(port));
    }
    changed_.notify_all();
}

void OutputOpening::waitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return idle(); });
}

void OutputOpening::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || wanted_ || !doomed_.empty(); });
        if (stopping_ && doomed_.empty()) break;
        auto doomed = std::exchange(doomed_, {});
        auto opener = std::exchange(wanted_, std::nullopt);
        busy_ = true;
        opening_ = opener.has_value();
        lock.unlock();
        doomed.clear();
        Result result;
        if (opener && *opener) result.port = (*opener)(&result.error);
        lock.lock();
        busy_ = false;
        // A request or cancel meanwhile cleared `opening_`: this port is no longer wanted.
        if (opening_) {
            ready_ = std::move(result);
            opening_ = false;
        } else if (result.port) {
            doomed_.push_back(std::move(result.port));
        }
        changed_.notify_all();
    }
}

}  // namespace tinsori
