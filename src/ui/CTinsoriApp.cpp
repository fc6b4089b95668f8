#include "ui/CTinsoriApp.h"

#include <QApplication>
#include <QMessageBox>

#include "ProgramVersion.h"
#include "midi/chimes/ChimeRingPlaces.h"
#include "platform/Texts.h"
#include "settings/Favorites.h"
#include "ui/CTinsoriDlg.h"
#include "ui/CursorBlinkTimeout.h"
#include "ui/Pictures.h"
#include "ui/SessionEndBridge.h"
#include "ui/Translations.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

char gProgramName[] = "tinsori";

}  // namespace

int CTinsoriApp::Run(const WindowStart& start) {
    // QApplication keeps references to these for its whole life, and takes out what it reads.
    std::vector<std::string> words = start.toolkitArgs;
    std::vector<char*> argv = {gProgramName};
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(argv.size()) - 1;
    QApplication application(argc, argv.data());
    // Tray hosts over D-Bus show the application name as the icon's title.
    QApplication::setApplicationName(QStringLiteral("Tinsori"));
    QApplication::setApplicationVersion(QStringLiteral(TINSORI_VERSION));
    // Wayland shells find the window's icon and name through the desktop file's id.
    QApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    QApplication::setWindowIcon(ApplicationIcon());
    // Before the first widget: every text is looked up as the widget is made.
    const Translations translations;
    // The window hides into the tray and message boxes may open over nothing: only closing the
    // main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Ends before the application does: giving the blink period back needs its style hints.
    const CursorBlinkTimeout cursorBlinkTimeout(nullptr);

    auto dialog =
        std::make_unique<CTinsoriDlg>(start.timebase, start.store, start.opener, start.seed);
    if (start.ring) start.ring->attach(&dialog->player().settings());
    dialog->player().handle().setTap(start.messageLog);
    dialog->player().SetOutputs(start.outputs);
    new SessionEndBridge(*dialog, start.stopSignals);
    dialog->Start(start.commandLine);
    if (!start.favorite.empty()) ApplyFavoriteNamed(dialog->player().favorites(), start.favorite);
    if (start.sleepMs > 0) dialog->player().StartSleep(start.sleepMs, SleepEnd::Pause);
    if (!start.profileNotice.empty()) {
        QMessageBox::warning(dialog.get(), UiText(kTextProfileNoticeCaption),
                             QString::fromStdString(start.profileNotice));
    }
    dialog->StartMediaControls();
    // Not exec(): a modal loop would end when the window hides into the tray.
    QObject::connect(dialog.get(), &QDialog::finished, &application, &QApplication::quit);
    if (!dialog->closeRequested()) {
        dialog->show();
        // Minimized once shown: window managers may ignore a window that asks to be mapped
        // minimized, but not a request to minimize it.
        if (start.minimized) dialog->StartMinimized();
        if (start.liveView) dialog->ShowLiveView();
        QApplication::exec();
    }
    dialog->ShutDownOnDestroy();
    dialog->player().handle().setTap(nullptr);
    if (start.ring) start.ring->attach(nullptr);
    return 0;
}

}  // namespace tinsori
