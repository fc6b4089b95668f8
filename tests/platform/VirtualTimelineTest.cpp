#include "platform/VirtualTimeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tinsori {
namespace {

// A log both threads append to; the timeline hands control back and forth under its own lock,
// so the entries come in a well-defined order.
struct Log {
    std::vector<std::string> lines;
    void add(const std::string& who, uint32_t at) {
        lines.push_back(who + "@" + std::to_string(at));
    }
};

const char* name(WaitResult r) {
    return r == WaitResult::Signalled ? "signal" : "timeout";
}

// A simulation body that waits the given lengths in turn and logs how each wait ended and when.
void startWaits(VirtualTimeline& tl, Log& log, std::vector<uint32_t> waits) {
    tl.startThread([&tl, &log, waits] {
        for (uint32_t d : waits) {
            WaitResult r = tl.wakeEvent().wait(d);
            log.add(name(r), tl.clock().now());
        }
    });
}

TEST(VirtualTimeline, ThreadWaitsTimeOutAtExactlyNowPlusD) {
    Log log;  // outlives the timeline, whose destructor may still release the thread
    VirtualTimeline tl;
    startWaits(tl, log, {100, 250, 0, 7});
    tl.runUntil(1000, 0, {});
    EXPECT_EQ(tl.now(), 1000u);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"timeout@100", "timeout@350", "timeout@350",
                                                   "timeout@357"}));
    EXPECT_TRUE(tl.joinThread(0));
}

TEST(VirtualTimeline, TimeOutIsHandledBeforeTimerTickOnSameMillisecond) {
    Log log;
    VirtualTimeline tl;
    startWaits(tl, log, {400, 1000});
    tl.runUntil(700, 200, [&] { log.add("tick", tl.now()); });
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"tick@200", "timeout@400", "tick@400", "tick@600"}));
    tl.signal();
    EXPECT_TRUE(tl.joinThread(0));
}

TEST(VirtualTimeline, TimerSignalEndsLongWaitAtThatTick) {
    Log log;
    VirtualTimeline tl;
    startWaits(tl, log, {100000, 50});
    int ticks = 0;
    tl.runUntil(1000, 200, [&] {
        if (++ticks == 2) tl.signal();
    });
    // The thread re-blocks before the next tick, so its 50 ms wait ends at 450, not later.
    EXPECT_EQ(log.lines, (std::vector<std::string>{"signal@400", "timeout@450"}));
    EXPECT_EQ(ticks, 4);
}

TEST(VirtualTimeline, RunUntilEndBoundaries) {
    Log log;
    VirtualTimeline tl;
    startWaits(tl, log, {600, 1});
    std::vector<uint32_t> ticks;
    auto onTick = [&] { log.add("tick", tl.now()); };
    // A time-out due at the end is handled; the tick at the end is not.
    tl.runUntil(600, 200, onTick);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"tick@200", "tick@400", "timeout@600"}));
    EXPECT_EQ(tl.now(), 600u);
    // The next run starts with the tick left over at 600, before the time-out at 601.
    tl.runUntil(800, 200, onTick);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"tick@200", "tick@400", "timeout@600",
                                                   "tick@600", "timeout@601"}));
    EXPECT_EQ(tl.now(), 800u);
}

TEST(VirtualTimeline, SignalWithNobodyWaitingStaysSetForOneWait) {
    Log log;
    VirtualTimeline tl;
    tl.signal();
    startWaits(tl, log, {1122, 1122});
    tl.runUntil(5000, 0, {});
    EXPECT_EQ(log.lines, (std::vector<std::string>{"signal@0", "timeout@1122"}));

    tl.signal();
    tl.reset();
    EXPECT_EQ(tl.wait(10), WaitResult::TimedOut);
    EXPECT_EQ(tl.now(), 5010u);
}

TEST(VirtualTimeline, DriverWaitAdvancesTimeThroughThreadTimeOuts) {
    Log log;
    VirtualTimeline tl;
    startWaits(tl, log, {300, 300, 300, 300});
    // No timer ticks while the driver waits itself.
    EXPECT_EQ(tl.wait(1000), WaitResult::TimedOut);
    EXPECT_EQ(tl.now(), 1000u);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"timeout@300", "timeout@600", "timeout@900"}));

    // A signal goes to the blocked thread first; once it has ended, one stays set for the driver.
    tl.signal();
    EXPECT_TRUE(tl.joinThread(0));
    EXPECT_EQ(log.lines.back(), "signal@1000");
    tl.signal();
    EXPECT_EQ(tl.wait(1000), WaitResult::Signalled);
    EXPECT_EQ(tl.now(), 1000u);
}

TEST(VirtualTimeline, ThreadSignalEndsDriverWaitEarly) {
    VirtualTimeline tl;
    tl.startThread([&tl] {
        tl.wakeEvent().wait(250);
        tl.wakeEvent().signal();
        tl.wakeEvent().wait(10000);
    });
    EXPECT_EQ(tl.wait(1000), WaitResult::Signalled);
    EXPECT_EQ(tl.now(), 250u);
    tl.signal();
    EXPECT_TRUE(tl.joinThread(0));
}

TEST(VirtualTimeline, JoinThread) {
    {
        VirtualTimeline tl;
        EXPECT_TRUE(tl.joinThread(2000));  // never started
        EXPECT_EQ(tl.now(), 0u);
    }
    {
        Log log;
        VirtualTimeline tl;
        startWaits(tl, log, {500, 700});
        EXPECT_TRUE(tl.joinThread(2000));
        EXPECT_EQ(tl.now(), 1200u);
    }
    {
        Log log;
        VirtualTimeline tl;
        startWaits(tl, log, {500, 5000});
        EXPECT_FALSE(tl.joinThread(2000));
        EXPECT_EQ(tl.now(), 2000u);
        EXPECT_EQ(log.lines, std::vector<std::string>{"timeout@500"});
        // The destructor releases the abandoned thread's wait instead of hanging.
    }
}

TEST(VirtualTimeline, DriverCodeBetweenCallsRunsBeforeTheThreadMoves) {
    Log log;
    int setting = 0;  // plain data: the timeline alone keeps the two threads apart
    VirtualTimeline tl;
    tl.startThread([&] {
        log.add("start" + std::to_string(setting), tl.now());
        tl.wakeEvent().wait(5000);
        log.add("woke" + std::to_string(setting), tl.now());
        tl.wakeEvent().wait(5000);
    });
    setting = 1;
    tl.runUntil(100, 0, {});
    tl.signal();
    setting = 2;
    tl.runUntil(200, 50, [&] { setting = 3; });
    EXPECT_EQ(log.lines, (std::vector<std::string>{"start1@0", "woke2@100"}));
    tl.signal();
    EXPECT_TRUE(tl.joinThread(0));
}

// A thread that plans pseudo-random waits and a timer that signals now and then, the way the
// player and the simulation interact.
std::vector<std::string> busyRun() {
    Log log;
    bool stop = false;
    VirtualTimeline tl;
    tl.startThread([&] {
        uint32_t x = 7;
        while (!stop) {
            x = x * 214013u + 2531011u;
            WaitResult r = tl.wakeEvent().wait((x >> 16) % 700);
            log.add(name(r), tl.now());
        }
    });
    int ticks = 0;
    tl.runUntil(20000, 200, [&] {
        if (++ticks % 7 == 0) tl.signal();
    });
    stop = true;
    tl.signal();
    EXPECT_TRUE(tl.joinThread(2000));
    return log.lines;
}

TEST(VirtualTimeline, IdenticalRunsGiveIdenticalTicks) {
    auto first = busyRun();
    EXPECT_GT(first.size(), 50u);
    EXPECT_EQ(first, busyRun());
}

}  // namespace
}  // namespace tinsori
