#include "ui_win32/DialogTemplateBuffer.h"

#include "platform/TextCatalogue.h"
#include "platform/win32/WideText.h"

namespace tinsori {

namespace {

// The predefined window classes, by their atoms.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kScrollBarClass = 0x0084;
constexpr WORD kComboBoxClass = 0x0085;

DWORD KindStyle(ControlKind kind) {
    using K = ControlKind;
    switch (kind) {
        case K::GroupBox:
            return BS_GROUPBOX;
        case K::Text:
            return SS_LEFT;
        case K::EditableCombo:
            return CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
        case K::DropDownList:
            return CBS_DROPDOWNLIST | WS_VSCROLL;
        case K::PushButton:
            return BS_PUSHBUTTON;
        case K::DefaultPushButton:
            return BS_DEFPUSHBUTTON;
        case K::CheckBox:
            return BS_AUTOCHECKBOX;
        case K::RadioButton:
            return BS_AUTORADIOBUTTON;
        case K::Edit:
            return ES_AUTOHSCROLL;
        case K::NotesBox:
            return ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
        case K::HorizontalBar:
            return SBS_HORZ;
        case K::VerticalBar:
            return SBS_VERT;
        case K::Picture:
            // Drawn by the window: the bitmap without its key colour, and the chosen tube.
            return SS_OWNERDRAW;
        // Frames lie over the texts they surround: they must not paint over them.
        case K::SunkenFrame:
            return SS_SUNKEN | WS_CLIPSIBLINGS;
        case K::EtchedFrame:
            return SS_ETCHEDFRAME | WS_CLIPSIBLINGS;
    }
    return 0;
}

}  // namespace

DialogTemplateBuffer::DialogTemplateBuffer(const DialogTemplate& tmpl, DWORD style, DWORD exStyle,
                                           const std::string& argument)
    : argument_(argument) {
    Word(1);       // dlgVer
    Word(0xFFFF);  // signature: the extended template
    Dword(0);      // helpID
    Dword(exStyle);
    Dword(style | DS_SHELLFONT);
    Word(static_cast<WORD>(tmpl.controls.size()));
    for (int value : {0, 0, tmpl.width, tmpl.height}) Word(static_cast<WORD>(value));
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(Words(tmpl.title));
    Word(static_cast<WORD>(tmpl.pointSize));
    Word(FW_NORMAL);
    Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
    Text(L"MS Shell Dlg");
    for (const ControlSpec& spec : tmpl.controls) Control(spec);
}

WORD DialogTemplateBuffer::ClassOf(ControlKind kind) {
    using K = ControlKind;
    switch (kind) {
        case K::GroupBox:
        case K::PushButton:
        case K::DefaultPushButton:
        case K::CheckBox:
        case K::RadioButton:
            return kButtonClass;
        case K::EditableCombo:
        case K::DropDownList:
            return kComboBoxClass;
        case K::Edit:
        case K::NotesBox:
            return kEditClass;
        case K::HorizontalBar:
        case K::VerticalBar:
            return kScrollBarClass;
        default:
            return kStaticClass;
    }
}

DWORD DialogTemplateBuffer::StyleOf(const ControlSpec& spec) {
    DWORD style = WS_CHILD | KindStyle(spec.kind);
    if (spec.kind == ControlKind::Text) {
        if (spec.flags & kRightAligned) style = (style & ~SS_LEFT) | SS_RIGHT;
        if (spec.flags & kCentered) style = (style & ~SS_LEFT) | SS_CENTER | SS_NOPREFIX;
    }
    if (spec.flags & kSorted) style |= CBS_SORT;
    if (!(spec.flags & kHidden)) style |= WS_VISIBLE;
    if (spec.flags & kTabStop) style |= WS_TABSTOP;
    if (spec.flags & kGroup) style |= WS_GROUP;
    return style;
}

DWORD DialogTemplateBuffer::ExStyleOf(ControlKind kind) {
    const bool field = kind == ControlKind::Edit || kind == ControlKind::NotesBox;
    return field ? WS_EX_CLIENTEDGE : 0;
}

std::wstring DialogTemplateBuffer::Words(const char* source) const {
    if (!source || !*source) return {};
    return Widen(TextCatalogue::Words(source, {argument_}));
}

void DialogTemplateBuffer::Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
}

void DialogTemplateBuffer::Text(const std::wstring& text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
}

void DialogTemplateBuffer::AlignToDword() {
    if (words_.size() % 2) Word(0);
}

void DialogTemplateBuffer::Control(const ControlSpec& spec) {
    AlignToDword();
    Dword(0);  // helpID
    Dword(ExStyleOf(spec.kind));
    Dword(StyleOf(spec));
    for (int value : {spec.x, spec.y, spec.width, spec.height}) Word(static_cast<WORD>(value));
    Dword(static_cast<DWORD>(spec.id));
    Word(0xFFFF);
    Word(ClassOf(spec.kind));
    Text(Words(spec.label));
    Word(0);  // no creation data
}

}  // namespace tinsori
