#include "platform/StopSignalDescriptor.h"

#include <windows.h>

#include <atomic>
#include <csignal>

namespace tinsori {

namespace {

// The console calls its handler on a thread of its own, at any time: the handler only records
// the request and wakes the waiter. These live as long as the process, so a late call never
// finds them gone.
std::atomic<int> gPending{0};
std::atomic<bool> gListening{false};
HANDLE gArrived = CreateEventW(nullptr, FALSE, FALSE, nullptr);
HANDLE gStopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);

int SignalFor(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            return SIGINT;
        case CTRL_CLOSE_EVENT:
            return SIGTERM;
        default:
            return kSessionEndSignal;
    }
}

BOOL WINAPI OnConsoleControl(DWORD type) {
    if (!gListening.load()) return FALSE;
    int none = 0;
    gPending.compare_exchange_strong(none, SignalFor(type));
    SetEvent(gArrived);
    // Windows ends the process as soon as the handler of a closing console returns: hold it
    // until the shut-down has run (the system allows a few seconds).
    if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(gStopped, INFINITE);
    return TRUE;
}

}  // namespace

struct StopSignalDescriptor::Masks {};

StopSignalDescriptor::StopSignalDescriptor() {
    gPending = 0;
    ResetEvent(gStopped);
    gListening = true;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignalDescriptor::~StopSignalDescriptor() {
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    gListening = false;
    SetEvent(gStopped);
}

int StopSignalDescriptor::Take() {
    return gPending.exchange(0);
}

int StopSignalDescriptor::Wait(int milliseconds) {
    if (const int pending = Take()) return pending;
    WaitForSingleObject(gArrived, static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
    return Take();
}

}  // namespace tinsori
