#include "platform/AutoResetEvent.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <future>
#include <string>
#include <thread>

namespace tinsori {
namespace {

using Clock = std::chrono::steady_clock;

TEST(AutoResetEvent, WaitTimesOutNoEarlierThanItsDeadline) {
    AutoResetEvent event;
    auto start = Clock::now();
    EXPECT_EQ(event.wait(30), WaitResult::TimedOut);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_EQ(event.wait(0), WaitResult::TimedOut);
}

TEST(AutoResetEvent, WaitOnATickGridEndsWhenTheTicksHaveMovedOn) {
    // A strike planned for tick t must not sound before t, and on the grid a wait is counted in
    // the clock's ticks, not from the middle of the current one.
    SteadyTickClock ticks;
    AutoResetEvent event(ticks);
    for (uint32_t wait : {1u, 3u, 7u}) {
        const uint32_t start = ticks.now();
        EXPECT_EQ(event.wait(wait), WaitResult::TimedOut);
        EXPECT_GE(ticks.now() - start, wait);
        EXPECT_GE(Clock::now(), ticks.origin() + std::chrono::milliseconds(start + wait));
    }
}

// Returns once thread `tid` of this process sleeps in the kernel. Called for a thread whose only
// remaining work is a wait, it tells that the wait has begun.
void UntilSleeping(pid_t tid) {
    const std::string path = "/proc/self/task/" + std::to_string(tid) + "/stat";
    for (;;) {
        std::ifstream stat(path);
        std::string line;
        std::getline(stat, line);
        // The state follows the command name, which is in parentheses and may hold spaces.
        const size_t close = line.rfind(") ");
        if (close != std::string::npos && line.compare(close + 2, 1, "S") == 0) return;
        std::this_thread::yield();
    }
}

TEST(AutoResetEvent, SignalEndsAWaitInProgress) {
    AutoResetEvent event;
    std::promise<pid_t> started;
    auto waiter = std::async(std::launch::async, [&] {
        started.set_value(gettid());
        return event.wait(60000);
    });
    // A signal sent before the wait began would be kept and pass this test without waking
    // anybody: signal only once the waiter sleeps.
    UntilSleeping(started.get_future().get());
    event.signal();
    ASSERT_EQ(waiter.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(waiter.get(), WaitResult::Signalled);
    // The waiter consumed the signal.
    EXPECT_EQ(event.wait(0), WaitResult::TimedOut);
}

TEST(AutoResetEvent, SignalWithNobodyWaitingIsConsumedByExactlyOneWait) {
    AutoResetEvent event;
    event.signal();
    event.signal();  // a second signal does not count up
    EXPECT_EQ(event.wait(5000), WaitResult::Signalled);
    EXPECT_EQ(event.wait(0), WaitResult::TimedOut);

    event.signal();
    event.reset();
    EXPECT_EQ(event.wait(0), WaitResult::TimedOut);
}

TEST(AutoResetEvent, PingPongLosesNoWakeUp) {
    AutoResetEvent ping, pong;
    constexpr int kRounds = 2000;
    auto echo = std::async(std::launch::async, [&] {
        int seen = 0;
        for (int i = 0; i < kRounds; ++i) {
            if (ping.wait(10000) == WaitResult::Signalled) ++seen;
            pong.signal();
        }
        return seen;
    });
    int answered = 0;
    for (int i = 0; i < kRounds; ++i) {
        ping.signal();
        if (pong.wait(10000) == WaitResult::Signalled) ++answered;
    }
    EXPECT_EQ(echo.get(), kRounds);
    EXPECT_EQ(answered, kRounds);
}

}  // namespace
}  // namespace tinsori
