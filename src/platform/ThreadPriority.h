#pragma once

#include <string>

namespace tinsori {

// What the calling thread obtained from RaiseCurrentThreadPriority, so the program can say so.
struct PriorityGrant {
    // Mmcss and WindowsPriority are Windows' grants: the "Pro Audio" task of the multimedia
    // class scheduler, or the thread's own priority class.
    enum class Source { None, RealtimeKit, RealtimeLimit, NiceLimit, Mmcss, WindowsPriority };
    Source source = Source::None;
    bool realtime = false;
    // The real-time priority, or the nice value (Windows: the thread priority).
    int level = 0;

    // One phrase for the user, e.g. "real-time priority 1 from RealtimeKit".
    std::string describe() const;
};

// Raises the calling thread above the ordinary ones so that strikes keep close to their planned
// time, the way desktop audio programs do: real-time scheduling from RealtimeKit, else within
// RLIMIT_RTPRIO (root, or the audio group's limits), else the lowest nice value that RealtimeKit
// or RLIMIT_NICE allows. The lowest real-time priority is enough to run ahead of ordinary
// threads and stays below the sound server that plays the notes. When nothing is allowed, the
// thread runs on at normal priority.
PriorityGrant RaiseCurrentThreadPriority();

}  // namespace tinsori
