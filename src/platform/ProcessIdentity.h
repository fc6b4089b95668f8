#pragma once

#include <cstdint>

namespace tinsori {

// A running process as other processes can recognise it: its id and the moment it started
// (clock ticks after boot), so an id the system has handed to a new process is not mistaken
// for the old one.
struct ProcessIdentity {
    long pid = 0;
    uint64_t startTime = 0;

    static ProcessIdentity Self();
    // The identity of `pid` now; startTime 0 when no such process runs.
    static ProcessIdentity Of(long pid);

    bool operator==(const ProcessIdentity&) const = default;
};

// True while `pid` runs and is the process that started at `startTime`. A process that has
// ended but not yet been reaped (a zombie) is not alive.
bool IsProcessAlive(long pid, uint64_t startTime);

}  // namespace tinsori
