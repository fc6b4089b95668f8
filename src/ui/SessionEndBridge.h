#pragma once

#include <QObject>

class QSocketNotifier;

namespace tinsori {

class CTinsoriDlg;
class StopSignalDescriptor;

// Brings the desktop's ways of ending the program to the main window: the session manager's
// quit request and SIGTERM or SIGHUP run the session-end shut-down (SIGTERM and SIGHUP then close
// the window, whose own shut-down finds the thread and device already stopped); SIGINT closes
// the window as its close box does. Signals arrive on a descriptor, so no Qt call runs in a
// signal handler.
class SessionEndBridge : public QObject {
public:
    SessionEndBridge(CTinsoriDlg& dialog, StopSignalDescriptor* stopSignals);

private:
    void OnSignal();

    CTinsoriDlg& dialog_;
    StopSignalDescriptor* signals_;
};

}  // namespace tinsori
