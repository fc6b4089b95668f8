#include "platform/LiveTimebase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tinsori {
namespace {

TEST(LiveTimebase, JoinWithoutThreadSucceeds) {
    LiveTimebase tb;
    EXPECT_TRUE(tb.joinThread(0));
}

TEST(LiveTimebase, JoinWaitsForTheThreadToEndOrGivesUp) {
    LiveTimebase tb;
    std::atomic<bool> ended{false};
    std::thread::id bodyThread;
    tb.startThread([&] {
        bodyThread = std::this_thread::get_id();
        tb.wakeEvent().wait(60000);
        ended = true;
    });
    EXPECT_FALSE(tb.joinThread(30));
    EXPECT_FALSE(ended);

    tb.wakeEvent().signal();
    EXPECT_TRUE(tb.joinThread(10000));
    EXPECT_TRUE(ended);
    EXPECT_NE(bodyThread, std::this_thread::get_id());
    EXPECT_TRUE(tb.joinThread(0));  // already joined
}

TEST(LiveTimebase, DestructorJoinsAThreadStillRunning) {
    std::atomic<bool> ended{false};
    {
        LiveTimebase tb;
        tb.startThread([&] {
            tb.wakeEvent().wait(50);
            ended = true;
        });
    }
    EXPECT_TRUE(ended);
}

TEST(LiveTimebase, ClockCountsUpInMilliseconds) {
    LiveTimebase tb;
    uint32_t start = tb.clock().now();
    tb.wakeEvent().wait(25);
    EXPECT_GE(tb.clock().now() - start, 25u);
}

}  // namespace
}  // namespace tinsori
