#include "ui_win32/TemplateControls.h"

namespace tinsori {

TemplateControls::TemplateControls(HWND dialog, const DialogTemplate& tmpl) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const ControlSpec& spec : tmpl.controls) {
        if (!child) break;
        made_.push_back({child, &spec});
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

const ControlSpec* TemplateControls::SpecOf(HWND control) const {
    for (const Made& made : made_) {
        if (made.window == control) return made.spec;
    }
    return nullptr;
}

void TemplateControls::FitPictures() const {
    for (const Made& made : made_) {
        if (made.spec->kind != ControlKind::Picture) continue;
        SetWindowPos(made.window, nullptr, 0, 0, made.spec->pictureWidth,
                     made.spec->pictureHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace tinsori
