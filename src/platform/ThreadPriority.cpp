#include "platform/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/RealtimeKit.h"

namespace tinsori {

namespace {

constexpr int kRealtimePriority = 1;

uint64_t CurrentThreadId() {
    return static_cast<uint64_t>(syscall(SYS_gettid));
}

bool WithinRealtimeLimit() {
    sched_param param{};
    param.sched_priority = kRealtimePriority;
    return pthread_setschedparam(pthread_self(), SCHED_RR, &param) == 0;
}

// On Linux a nice value set for a thread id applies to that thread alone.
bool SetThreadNice(int level) {
    return setpriority(PRIO_PROCESS, static_cast<id_t>(CurrentThreadId()), level) == 0;
}

int CurrentNice() {
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(CurrentThreadId()));
    return (nice == -1 && errno != 0) ? 0 : nice;
}

// RLIMIT_NICE holds 20 - (the lowest nice value allowed).
int NiceFloor() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0) return 20;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= 40) return -20;
    return 20 - static_cast<int>(limit.rlim_cur);
}

PriorityGrant LowestNice(RealtimeKit& kit) {
    const int current = CurrentNice();
    const int floor = NiceFloor();
    if (kit.available() && kit.minNiceLevel() < std::min(floor, current) &&
        kit.makeHighPriority(CurrentThreadId(), kit.minNiceLevel())) {
        return {PriorityGrant::Source::RealtimeKit, false, kit.minNiceLevel()};
    }
    if (floor < current && SetThreadNice(floor)) {
        return {PriorityGrant::Source::NiceLimit, false, floor};
    }
    return {};
}

}  // namespace

PriorityGrant RaiseCurrentThreadPriority() {
    RealtimeKit kit;
    if (kit.available() && kit.maxRealtimePriority() >= kRealtimePriority &&
        kit.makeRealtime(CurrentThreadId(), kRealtimePriority)) {
        return {PriorityGrant::Source::RealtimeKit, true, kRealtimePriority};
    }
    if (WithinRealtimeLimit())
        return {PriorityGrant::Source::RealtimeLimit, true, kRealtimePriority};
    return LowestNice(kit);
}

}  // namespace tinsori
