#include "ui_win32/MainWindowApp.h"

#include <windows.h>

#include <commctrl.h>

#include "midi/chimes/ChimeRingPlaces.h"
#include "platform/Texts.h"
#include "platform/win32/WideText.h"
#include "settings/Favorites.h"
#include "ui_win32/MainDialog.h"

namespace tinsori {

namespace {

int MessageLoop(MainDialog& dialog) {
    HWND window = dialog.window();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The keyboard's dialog keys (Tab, the accelerators, Escape, F1) for the main window;
        // the About box and message boxes run loops of their own.
        if (IsWindow(window) &&
            (dialog.PreTranslate(message) || IsDialogMessageW(window, &message)))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int MainWindowApp::Run(const WindowStart& start) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    MainDialog dialog(start.timebase, start.store, start.opener, start.seed);
    if (start.ring) start.ring->attach(&dialog.player().settings());
    dialog.player().handle().setTap(start.messageLog);
    dialog.player().SetOutputs(start.outputs);
    dialog.WatchStopSignals(start.stopSignals);
    HWND window = dialog.Create(start.commandLine);
    if (!window) return 1;
    if (!start.favorite.empty()) ApplyFavoriteNamed(dialog.player().favorites(), start.favorite);
    if (start.sleepMs > 0) dialog.player().StartSleep(start.sleepMs, SleepEnd::Pause);
    dialog.Show(start.minimized);
    if (!start.profileNotice.empty()) {
        MessageBoxW(window, Widen(start.profileNotice).c_str(),
                    Widen(TextCatalogue::Words(kTextProfileNoticeCaption)).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
    const int status = MessageLoop(dialog);
    dialog.player().handle().setTap(nullptr);
    if (start.ring) start.ring->attach(nullptr);
    return status;
}

}  // namespace tinsori
