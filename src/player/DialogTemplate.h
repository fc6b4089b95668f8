#pragma once

#include <span>

namespace tinsori {

// What kind of control a template row makes.
enum class ControlKind {
    GroupBox,
    Text,
    EditableCombo,
    DropDownList,
    PushButton,
    DefaultPushButton,
    CheckBox,
    RadioButton,
    Edit,
    NotesBox,  // multi-line, read-only, with a vertical scroll bar
    HorizontalBar,
    VerticalBar,
    Picture,
    SunkenFrame,
    EtchedFrame,
};

// Template flags.
enum ControlFlag : unsigned {
    kTabStop = 1u << 0,
    kGroup = 1u << 1,
    kHidden = 1u << 2,
    kRightAligned = 1u << 3,
    kCentered = 1u << 4,
    kSorted = 1u << 5,
    kWraps = 1u << 6,
};

// One control of a dialog template: position and size in dialog units. A picture keeps its
// bitmap's own pixel size (`pictureWidth` x `pictureHeight`) whatever the font.
struct ControlSpec {
    int id;
    ControlKind kind;
    const char* label;
    int x, y, width, height;
    unsigned flags;
    const char* picture = nullptr;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

struct DialogTemplate {
    const char* title;
    int width, height;                      // dialog units
    int pointSize;                          // of the font the units refer to
    std::span<const ControlSpec> controls;  // template order, which is the tab order
};

// Template 102, the main window; template 100, the About box.
const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

}  // namespace tinsori
