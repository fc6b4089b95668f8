#include <gtest/gtest.h>

#include <string_view>

#include "player/ControlIds.h"
#include "player/DialogTemplate.h"

// Both windows name a field by the label before it in the tab order (Windows' dialogs and screen
// readers do, and the label's Alt+letter moves there): the template's order must keep each
// label right before its control.

namespace tinsori {

namespace {

bool HasMnemonic(const char* label) {
    const std::string_view text(label);
    for (size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 2)) {
        if (at + 1 < text.size() && text[at + 1] != '&') return true;
    }
    return false;
}

// A control that takes the focus and shows no text of its own, so a label must name it.
bool NeedsLabel(const ControlSpec& spec) {
    switch (spec.kind) {
        case ControlKind::EditableCombo:
        case ControlKind::DropDownList:
        case ControlKind::Edit:
        case ControlKind::NotesBox:
        case ControlKind::HorizontalBar:
        case ControlKind::VerticalBar:
            return spec.id != kIdNone && (spec.flags & kTabStop);
        default:
            return false;
    }
}

}  // namespace

TEST(DialogTemplate, EachMnemonicLabelComesRightBeforeItsControl) {
    const auto& controls = MainDialogTemplate().controls;
    int labelled = 0;
    for (size_t i = 0; i + 1 < controls.size(); ++i) {
        if (controls[i].kind != ControlKind::Text || !HasMnemonic(controls[i].label)) continue;
        EXPECT_TRUE(NeedsLabel(controls[i + 1])) << controls[i].label;
        ++labelled;
    }
    EXPECT_EQ(labelled, 11);
    // The only field without a mnemonic label still has its label right before it.
    for (size_t i = 1; i < controls.size(); ++i) {
        if (controls[i].id == kIdNotesInUse) {
            EXPECT_EQ(std::string_view(controls[i - 1].label), "Chimes in Use");
        }
    }
}

}  // namespace tinsori
