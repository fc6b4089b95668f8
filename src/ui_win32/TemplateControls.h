#pragma once

#include <windows.h>

#include <vector>

#include "player/DialogTemplate.h"

namespace tinsori {

// The child windows a dialog made from a template holds, each with its template row: the dialog
// manager makes them in template order, so the n-th child is the n-th row.
class TemplateControls {
public:
    TemplateControls() = default;
    TemplateControls(HWND dialog, const DialogTemplate& tmpl);

    // The row a child was made from; null for a window not made from the template.
    const ControlSpec* SpecOf(HWND control) const;
    // Pictures take their bitmap's own size in pixels, whatever the font.
    void FitPictures() const;
    // A one-line label whose text is wider than its row (the font's letters are wider than the
    // template's) grows to show it whole, away from the side it is aligned to.
    void FitLabels() const;

private:
    struct Made {
        HWND window;
        const ControlSpec* spec;
    };
    std::vector<Made> made_;
};

}  // namespace tinsori
