#include "ui/SessionEndBridge.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

#include "platform/StopSignalDescriptor.h"
#include "ui/CTinsoriDlg.h"

namespace tinsori {

SessionEndBridge::SessionEndBridge(CTinsoriDlg& dialog, StopSignalDescriptor* stopSignals)
    : QObject(&dialog), dialog_(dialog), signals_(stopSignals) {
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { dialog_.ShutDownOnSessionEnd(); });
    if (signals_ && signals_->fd() >= 0) {
        auto* notifier = new QSocketNotifier(signals_->fd(), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &SessionEndBridge::OnSignal);
    }
}

void SessionEndBridge::OnSignal() {
    const int signal = signals_->Take();
    if (signal == 0) return;
    if (signal != SIGINT) dialog_.ShutDownOnSessionEnd();
    dialog_.RequestClose();
}

}  // namespace tinsori
