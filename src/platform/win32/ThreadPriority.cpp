#include "platform/ThreadPriority.h"

#include <windows.h>

namespace tinsori {

namespace {

using SetTaskFunction = HANDLE(WINAPI*)(LPCWSTR, LPDWORD);

// The multimedia class scheduler raises a registered thread above ordinary ones while it runs,
// as audio programs on Windows do. avrt.dll is asked for by name: it is missing on some
// editions and under older wine, and the thread then runs at its own raised priority.
bool JoinProAudioTask() {
    HMODULE avrt = LoadLibraryW(L"avrt.dll");
    if (!avrt) return false;
    // Through a function pointer without arguments: the cast Windows' own headers use for this.
    const auto join = reinterpret_cast<SetTaskFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(avrt, "AvSetMmThreadCharacteristicsW")));
    DWORD taskIndex = 0;
    // The task stays joined until the thread ends, so the library stays loaded as well.
    return join && join(L"Pro Audio", &taskIndex) != nullptr;
}

}  // namespace

PriorityGrant RaiseCurrentThreadPriority() {
    if (JoinProAudioTask()) return {PriorityGrant::Source::Mmcss, true, 0};
    // Highest, not time-critical: above the user's programs, below the sound system's threads.
    if (SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST))
        return {PriorityGrant::Source::WindowsPriority, false, THREAD_PRIORITY_HIGHEST};
    return {};
}

}  // namespace tinsori
