#include "ui_win32/TemplateControls.h"

#include <algorithm>

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
    const auto found = std::find_if(made_.begin(), made_.end(),
                                    [control](const Made& made) { return made.window == control; });
    return found == made_.end() ? nullptr : found->spec;
}

void TemplateControls::FitPictures() const {
    for (const Made& made : made_) {
        if (made.spec->kind != ControlKind::Picture) continue;
        SetWindowPos(made.window, nullptr, 0, 0, made.spec->pictureWidth, made.spec->pictureHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TemplateControls::FitLabels() const {
    for (const Made& made : made_) {
        const ControlSpec& spec = *made.spec;
        if (spec.kind != ControlKind::Text || (spec.flags & kWraps) || !*spec.label) continue;
        wchar_t text[256] = {};
        GetWindowTextW(made.window, text, 256);
        HDC dc = GetDC(made.window);
        HGDIOBJ old = SelectObject(
            dc, reinterpret_cast<HGDIOBJ>(SendMessageW(made.window, WM_GETFONT, 0, 0)));
        RECT needed{};
        DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(made.window, dc);
        RECT rect{};
        GetWindowRect(made.window, &rect);
        MapWindowPoints(nullptr, GetParent(made.window), reinterpret_cast<POINT*>(&rect), 2);
        const int more = needed.right - (rect.right - rect.left);
        if (more <= 0) continue;
        const int left = (spec.flags & kRightAligned) ? rect.left - more
                         : (spec.flags & kCentered)   ? rect.left - more / 2
                                                      : rect.left;
        SetWindowPos(made.window, nullptr, left, rect.top, needed.right, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace tinsori
