#include "platform/ProcessIdentity.h"

#include <windows.h>

namespace tinsori {

namespace {

// The process's creation time in 100 ns units since 1601, with whether it has ended; false
// when no process of that id can be looked at.
bool ReadTimes(long pid, uint64_t& created, bool& ended) {
    if (pid <= 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return false;
    FILETIME creation{}, exit{}, kernel{}, user{};
    DWORD code = 0;
    const bool ok = GetProcessTimes(process, &creation, &exit, &kernel, &user) &&
                    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ok) return false;
    created = (static_cast<uint64_t>(creation.dwHighDateTime) << 32) | creation.dwLowDateTime;
    // An ended process whose handles are still held by others can be opened like a live one.
    ended = code != STILL_ACTIVE;
    return true;
}

}  // namespace

ProcessIdentity ProcessIdentity::Self() {
    return Of(static_cast<long>(GetCurrentProcessId()));
}

ProcessIdentity ProcessIdentity::Of(long pid) {
    uint64_t created = 0;
    bool ended = false;
    if (!ReadTimes(pid, created, ended) || ended) return {pid, 0};
    return {pid, created};
}

bool IsProcessAlive(long pid, uint64_t startTime) {
    uint64_t created = 0;
    bool ended = false;
    return ReadTimes(pid, created, ended) && !ended && created == startTime;
}

}  // namespace tinsori
