#include "platform/ThreadPriority.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>

namespace tinsori {
namespace {

constexpr uid_t kNobody = 65534;
constexpr const char* kNoBus = "unix:path=/nonexistent/tinsori-no-bus";

struct Observed {
    PriorityGrant grant;
    int policy = -1;  // what the kernel reports afterwards
    int nice = 0;
};

constexpr int kCannotSetUp = 77;

// Runs the chain in a child process as the user nobody (or as root), with the given limits and
// system bus, and reports what it claimed and what the kernel shows. Empty when the limits
// cannot be raised here (a container without CAP_SYS_RESOURCE).
std::optional<Observed> RaiseInChild(const std::string& bus, rlim_t rtprio, rlim_t nice,
                                     bool asNobody = true) {
    int pipeFds[2];
    EXPECT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        const rlimit rt{rtprio, rtprio};
        const rlimit ni{nice, nice};
        if (setrlimit(RLIMIT_RTPRIO, &rt) != 0 || setrlimit(RLIMIT_NICE, &ni) != 0)
            _exit(kCannotSetUp);
        if (setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.c_str(), 1) != 0 ||
            (asNobody &&
             (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)))
            _exit(2);
        Observed seen;
        seen.grant = RaiseCurrentThreadPriority();
        seen.policy = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
        seen.nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
        const std::array<int, 5> fields{static_cast<int>(seen.grant.source),
                                        seen.grant.realtime ? 1 : 0, seen.grant.level, seen.policy,
                                        seen.nice};
        const bool written = write(pipeFds[1], fields.data(), sizeof fields) == sizeof fields;
        _exit(written ? 0 : 3);
    }
    close(pipeFds[1]);
    std::array<int, 5> fields{};
    const bool complete = read(pipeFds[0], fields.data(), sizeof fields) == sizeof fields;
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotSetUp) return std::nullopt;
    EXPECT_TRUE(complete && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    Observed seen;
    seen.grant = {static_cast<PriorityGrant::Source>(fields[0]), fields[1] == 1, fields[2]};
    seen.policy = fields[3];
    seen.nice = fields[4];
    return seen;
}

class ThreadPriorityTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "dropping to another user needs root";
    }
};

TEST_F(ThreadPriorityTest, WithoutRealtimeKitFallsBackToTheUsersLimits) {
    auto none = RaiseInChild(kNoBus, 0, 0);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->grant.source, PriorityGrant::Source::None);
    // Unchanged from what the child inherited (the suite may itself run under nice).
    EXPECT_EQ(none->nice, getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid))));
    EXPECT_NE(none->grant.describe().find("normal priority"), std::string::npos);

    auto root = RaiseInChild(kNoBus, 0, 0, false);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->grant.source, PriorityGrant::Source::RealtimeLimit);
    EXPECT_EQ(root->policy, SCHED_RR);

    auto rt = RaiseInChild(kNoBus, 1, 0);
    if (!rt) GTEST_SKIP() << "cannot raise RLIMIT_RTPRIO or RLIMIT_NICE here";
    EXPECT_EQ(rt->grant.source, PriorityGrant::Source::RealtimeLimit);
    EXPECT_EQ(rt->policy, SCHED_RR);

    // RLIMIT_NICE 25 allows nice values down to -5: the lowest is taken, not one step.
    auto nice = RaiseInChild(kNoBus, 0, 25);
    ASSERT_TRUE(nice);
    EXPECT_EQ(nice->grant.source, PriorityGrant::Source::NiceLimit);
    EXPECT_EQ(nice->grant.level, -5);
    EXPECT_EQ(nice->nice, -5);
    EXPECT_EQ(nice->policy, SCHED_OTHER);
}

// A private system bus with RealtimeKit, as a desktop session provides it.
class RealtimeKitBus {
public:
    RealtimeKitBus() : dir_(::testing::TempDir() + "tinsori-rtkit-" + std::to_string(getpid())) {
        const std::string command = std::string(TINSORI_SOURCE_DIR) +
                                    "/scripts/realtimekit-bus start " + dir_ + " " +
                                    TINSORI_AUTHORITY + " 2>/dev/null";
        FILE* out = popen(command.c_str(), "r");
        if (!out) return;
        std::array<char, 512> line{};
        if (fgets(line.data(), line.size(), out)) address_ = line.data();
        if (pclose(out) != 0) address_.clear();
        while (!address_.empty() && address_.back() == '\n') address_.pop_back();
    }
    ~RealtimeKitBus() {
        const std::string command =
            std::string(TINSORI_SOURCE_DIR) + "/scripts/realtimekit-bus stop " + dir_;
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not stop " << dir_;
    }
    const std::string& address() const { return address_; }

private:
    std::string dir_;
    std::string address_;
};

TEST_F(ThreadPriorityTest, OrdinaryUserGetsRealTimeFromRealtimeKit) {
    RealtimeKitBus bus;
    if (bus.address().empty()) GTEST_SKIP() << "no dbus-daemon or rtkit-daemon to start";
    // No limits of its own: only RealtimeKit can grant anything.
    auto seen = RaiseInChild(bus.address(), 0, 0);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->grant.source, PriorityGrant::Source::RealtimeKit);
    EXPECT_EQ(seen->policy, SCHED_RR);
    EXPECT_EQ(seen->grant.describe(), "real-time priority 1 from RealtimeKit");
}

}  // namespace
}  // namespace tinsori
