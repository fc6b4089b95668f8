#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <thread>

#include "midi/ports/RecordingPort.h"
#include "platform/AutoResetEvent.h"
#include "platform/Timebase.h"
#include "player/Player.h"
#include "player/SilentView.h"
#include "store/ProfileStore.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

// A live time base whose simulation thread is held at its start until the test lets it go, so
// that a stop finds the thread still running when its bounded wait runs out. It tells which
// thread each wait on the wake event came from and how it ended.
class HeldThreadTimebase : public Timebase, public WakeEvent {
public:
    ~HeldThreadTimebase() override {
        Release();
        if (thread_.joinable()) thread_.join();
    }

    TickClock& clock() override { return clock_; }
    WakeEvent& wakeEvent() override { return *this; }
    void startThread(std::function<void()> body) override {
        thread_ = std::thread([this, body = std::move(body)] {
            released_.get_future().wait();
            simulation_ = std::this_thread::get_id();
            body();
        });
    }
    // Held, the thread is still running when the wait runs out (not waited for, to keep the
    // test short).
    bool joinThread(uint32_t) override {
        if (!releasedOnce_) return false;
        if (thread_.joinable()) thread_.join();
        return true;
    }

    void signal() override { event_.signal(); }
    void reset() override { event_.reset(); }
    WaitResult wait(uint32_t milliseconds) override {
        const WaitResult result = event_.wait(milliseconds);
        if (std::this_thread::get_id() == simulation_) {
            if (!threadWaited_) {
                firstThreadWait_ = result;
                threadWaited_ = true;
            }
        } else {
            otherWaits_ += 1;
        }
        return result;
    }

    void Release() {
        if (releasedOnce_.exchange(true)) return;
        released_.set_value();
    }
    int otherWaits() const { return otherWaits_; }
    bool threadWaited() const { return threadWaited_; }
    WaitResult firstThreadWait() const { return firstThreadWait_; }

private:
    SteadyTickClock clock_;
    AutoResetEvent event_{clock_};
    std::promise<void> released_;
    std::atomic<bool> releasedOnce_{false};
    std::thread thread_;
    std::atomic<std::thread::id> simulation_{};
    std::atomic<bool> threadWaited_{false};
    std::atomic<int> otherWaits_{0};
    std::atomic<WaitResult> firstThreadWait_{WaitResult::TimedOut};
};

// After a stop that timed out, the UI thread must not wait on the wake event (the closing run's
// pauses, the settling wait): such a wait would take the stop signal meant for the thread.
TEST(PlayerShutdownTest, AStopThatTimesOutLeavesTheStopSignalToTheThread) {
    testing_support::TempFolder folder;
    auto store = ProfileStore::Open(folder.file("profile.db"));
    RecordingPort recorder;
    std::ostringstream messages;
    SilentView view(messages);
    {
        HeldThreadTimebase timebase;
        Player player(
            timebase, *store, [&](std::string*) { return recorder.borrow(); }, view);
        player.Start("");
        const int before = timebase.otherWaits();
        player.ShutDownOnDestroy();
        EXPECT_EQ(timebase.otherWaits(), before);
        // No closing run over a thread that may still strike.
        const auto sent = recorder.messages();
        EXPECT_TRUE(std::none_of(sent.begin(), sent.end(),
                                 [](const RecordedMessage& m) { return m.isNoteOn(); }));
        timebase.Release();
        // The thread's first wait (a pause of its opening run) finds the stop signal.
        while (!timebase.threadWaited()) std::this_thread::yield();
        EXPECT_EQ(timebase.firstThreadWait(), WaitResult::Signalled);
        // The player's destructor sees the thread to its end.
    }
}

}  // namespace
}  // namespace tinsori
