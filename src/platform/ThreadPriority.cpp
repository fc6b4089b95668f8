#include "platform/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace tinsori {

namespace {

bool tryRealTime() {
    sched_param param{};
    for (int policy : {SCHED_RR, SCHED_FIFO}) {
        param.sched_priority = sched_get_priority_min(policy);
        if (param.sched_priority >= 0 && pthread_setschedparam(pthread_self(), policy, &param) == 0)
            return true;
    }
    return false;
}

// On Linux a nice value set for a thread id applies to that thread only.
bool tryLowerNice() {
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    int nice = getpriority(PRIO_PROCESS, tid);
    if (nice == -1 && errno != 0) return false;
    for (int step = 2; step > 0; --step) {
        if (setpriority(PRIO_PROCESS, tid, nice - step) == 0) return true;
    }
    return false;
}

}  // namespace

bool RaiseCurrentThreadPriority() {
    return tryRealTime() || tryLowerNice();
}

}  // namespace tinsori
