#include "ui/CTinsoriApp.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/CTinsoriDlg.h"
#include "ui/Pictures.h"
#include "ui/SessionEndBridge.h"

namespace tinsori {

namespace {

// QApplication keeps references to these for its whole life.
int gArgc = 1;
char gProgramName[] = "tinsori";
char* gArgv[] = {gProgramName, nullptr};

constexpr char kProfileNoticeCaption[] = "Tinsori Profile";

}  // namespace

int CTinsoriApp::Run(const WindowStart& start) {
    QApplication application(gArgc, gArgv);
    QApplication::setApplicationName(QStringLiteral("tinsori"));
    QApplication::setDesktopFileName(QStringLiteral("tinsori"));
    QApplication::setWindowIcon(ApplicationIcon());

    auto dialog =
        std::make_unique<CTinsoriDlg>(start.timebase, start.store, start.opener, start.seed);
    dialog->player().handle().setTap(start.messageLog);
    new SessionEndBridge(*dialog, start.stopSignals);
    dialog->Start(start.commandLine);
    if (!start.profileNotice.empty()) {
        QMessageBox::warning(dialog.get(), QString::fromLatin1(kProfileNoticeCaption),
                             QString::fromStdString(start.profileNotice));
    }
    if (start.minimized) dialog->setWindowState(Qt::WindowMinimized);
    if (!dialog->closeRequested()) dialog->exec();
    dialog->ShutDownOnDestroy();
    dialog->player().handle().setTap(nullptr);
    return 0;
}

}  // namespace tinsori
