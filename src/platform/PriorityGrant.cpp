#include "platform/ThreadPriority.h"

namespace tinsori {

std::string PriorityGrant::describe() const {
    const std::string what =
        realtime ? "real-time priority " + std::to_string(level) : "nice " + std::to_string(level);
    switch (source) {
        case Source::RealtimeKit:
            return what + " from RealtimeKit";
        case Source::RealtimeLimit:
            return what + " from RLIMIT_RTPRIO or CAP_SYS_NICE";
        case Source::NiceLimit:
            return what + " within RLIMIT_NICE";
        case Source::Mmcss:
            return "the multimedia class scheduler's \"Pro Audio\" task";
        case Source::WindowsPriority:
            return "thread priority " + std::to_string(level);
        case Source::None:
            break;
    }
    return "normal priority (no RealtimeKit, RLIMIT_RTPRIO or RLIMIT_NICE grant)";
}

}  // namespace tinsori
