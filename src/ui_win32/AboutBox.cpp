#include "ui_win32/AboutBox.h"

#include "ProgramVersion.h"
#include "player/ControlIds.h"
#include "player/DialogTemplate.h"
#include "ui_win32/DialogTemplateBuffer.h"
#include "ui_win32/PictureBitmaps.h"
#include "ui_win32/TemplateControls.h"
#include "ui_win32/WindowCommands.h"

namespace tinsori {

namespace {

struct AboutState {
    HWND owner;
    PictureBitmaps& pictures;
    TemplateControls controls;
};

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<AboutState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            state->controls = TemplateControls(dialog, AboutDialogTemplate());
            state->controls.FitPictures();
            state->controls.FitLabels();
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const ControlSpec* spec = state->controls.SpecOf(item->hwndItem);
            if (spec) state->pictures.Draw(item->hDC, item->rcItem, spec->picture);
            return TRUE;
        }
        case WM_HELP:
            SendMessageW(state->owner, WM_COMMAND, kIdHelpCommand, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void AboutBox::Show(HWND owner, PictureBitmaps& pictures) {
    const DialogTemplateBuffer buffer(AboutDialogTemplate(),
                                      DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                      TINSORI_VERSION_SHORT);
    AboutState state{owner, pictures, {}};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), buffer.get(), owner, AboutProc,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace tinsori
