#include "platform/ProcessIdentity.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tinsori {
namespace {

TEST(ProcessIdentity, ThisProcessIsAliveOnlyWithItsOwnStartTime) {
    const ProcessIdentity self = ProcessIdentity::Self();
    EXPECT_EQ(self.pid, getpid());
    EXPECT_GT(self.startTime, 0u);
    EXPECT_TRUE(IsProcessAlive(self.pid, self.startTime));
    EXPECT_FALSE(IsProcessAlive(self.pid, self.startTime + 1));
    EXPECT_FALSE(IsProcessAlive(0, 0));
    EXPECT_FALSE(IsProcessAlive(-5, self.startTime));
}

TEST(ProcessIdentity, CommandNameWithParenthesesAndSpacesIsSkipped) {
    char saved[32] = {};
    prctl(PR_GET_NAME, saved);
    const ProcessIdentity before = ProcessIdentity::Self();
    prctl(PR_SET_NAME, "a) b 1 2 ) 3");
    const ProcessIdentity renamed = ProcessIdentity::Self();
    prctl(PR_SET_NAME, saved);
    EXPECT_EQ(renamed.startTime, before.startTime);
}

TEST(ProcessIdentity, EndedProcessIsNotAliveEvenBeforeItIsReaped) {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    siginfo_t info{};
    waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);  // a zombie now
    EXPECT_FALSE(IsProcessAlive(child, ProcessIdentity::Of(child).startTime));
    waitpid(child, nullptr, 0);
    EXPECT_EQ(ProcessIdentity::Of(child).startTime, 0u);
}

}  // namespace
}  // namespace tinsori
