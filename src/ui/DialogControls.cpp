#include "ui/DialogControls.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <algorithm>

#include "ProgramVersion.h"
#include "ui/AccessibleComboBox.h"
#include "ui/AccessibleNames.h"
#include "ui/ChimePicture.h"
#include "ui/DialogComboBox.h"
#include "ui/DialogScrollBar.h"
#include "ui/DialogUnits.h"
#include "ui/Pictures.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

// A template's text in the user's language; %1 stands for the version, so that a translation
// can put it where its sentence needs it.
QString TemplateText(const char* label) {
    const QString text = UiText(label);
    return text.contains(QLatin1String("%1")) ? text.arg(QStringLiteral(TINSORI_VERSION_SHORT))
                                              : text;
}

QLabel* MakeText(const ControlSpec& spec, QWidget* parent) {
    auto* label = new QLabel(TemplateText(spec.label), parent);
    label->setTextFormat(Qt::PlainText);
    Qt::Alignment align = Qt::AlignTop;
    if (spec.flags & kRightAligned) align |= Qt::AlignRight;
    if (spec.flags & kCentered) align |= Qt::AlignHCenter;
    label->setAlignment(align);
    label->setWordWrap((spec.flags & kWraps) != 0);
    return label;
}

QFrame* MakeFrame(const ControlSpec& spec, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(spec.width <= 1 ? QFrame::VLine : QFrame::Panel);
    if (spec.kind == ControlKind::EtchedFrame) frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QWidget* MakePicture(const ControlSpec& spec, QWidget* parent) {
    QLabel* picture = spec.id != 0 ? new ChimePicture(parent) : new QLabel(parent);
    picture->setPixmap(
        ReadableOn(LoadPicture(QString::fromLatin1(spec.picture), parent->devicePixelRatioF()),
                   parent->palette()));
    if (spec.id == 0) picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

// The template places a group's first row just below the title, expecting the frame line to run
// through the title's middle; styles that put the title above the frame would draw the line
// across that row.
QGroupBox* MakeGroupBox(const ControlSpec& spec, QWidget* parent) {
    auto* box = new QGroupBox(TemplateText(spec.label), parent);
    box->setStyleSheet(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
    return box;
}

DialogComboBox* MakeCombo(const ControlSpec& spec, QWidget* parent, int listHeight) {
    auto* combo = new DialogComboBox(parent);
    if (spec.kind == ControlKind::EditableCombo) combo->makeEditable();
    // The template's height includes the dropped-down list.
    const int itemHeight = std::max(1, combo->fontMetrics().height() + 2);
    combo->setMaxVisibleItems(std::max(1, listHeight / itemHeight));
    return combo;
}

QWidget* MakeControl(const ControlSpec& spec, QWidget* parent, const DialogUnits& units) {
    switch (spec.kind) {
        case ControlKind::GroupBox:
            return MakeGroupBox(spec, parent);
        case ControlKind::Text:
            return MakeText(spec, parent);
        case ControlKind::EditableCombo:
        case ControlKind::DropDownList:
            return MakeCombo(spec, parent, units.toY(spec.height));
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
            return new QPushButton(TemplateText(spec.label), parent);
        case ControlKind::CheckBox:
            return new QCheckBox(TemplateText(spec.label), parent);
        case ControlKind::RadioButton:
            return new QRadioButton(TemplateText(spec.label), parent);
        case ControlKind::Edit:
            return new QLineEdit(parent);
        case ControlKind::NotesBox: {
            auto* box = new QPlainTextEdit(parent);
            box->setReadOnly(true);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setLineWrapMode(QPlainTextEdit::NoWrap);
            return box;
        }
        case ControlKind::HorizontalBar:
            return new DialogScrollBar(Qt::Horizontal, parent);
        case ControlKind::VerticalBar:
            return new DialogScrollBar(Qt::Vertical, parent);
        case ControlKind::Picture:
            return MakePicture(spec, parent);
        case ControlKind::SunkenFrame:
        case ControlKind::EtchedFrame:
            return MakeFrame(spec, parent);
    }
    return new QWidget(parent);
}

QRect PlaceOf(const ControlSpec& spec, const QWidget& widget, const DialogUnits& units) {
    QRect place = units.toRect(spec.x, spec.y, spec.width, spec.height);
    if (spec.kind == ControlKind::Picture) {
        place.setSize({spec.pictureWidth, spec.pictureHeight});
    } else if (spec.kind == ControlKind::EditableCombo || spec.kind == ControlKind::DropDownList) {
        place.setHeight(widget.sizeHint().height());
    } else if (spec.kind == ControlKind::SunkenFrame && spec.width <= 1) {
        place.setWidth(2);
    }
    return place;
}

// The width a control's text needs on one line, or 0 for controls whose text may wrap or that
// show none.
int TextWidthNeeded(const ControlSpec& spec, const QWidget& widget) {
    if (spec.flags & (kWraps | kHidden)) return 0;
    switch (spec.kind) {
        case ControlKind::Text:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            return widget.sizeHint().width();
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            constexpr int kButtonMargin = 8;
            const QString text = TemplateText(spec.label).remove(QLatin1Char('&'));
            return widget.fontMetrics().horizontalAdvance(text) + kButtonMargin;
        }
        default:
            return 0;
    }
}

// Radio buttons of a group share one tab stop, but each takes the focus when chosen.
bool TakesFocus(const ControlSpec& spec) {
    if (spec.id == 0 || (spec.flags & kHidden)) return false;
    return (spec.flags & kTabStop) || spec.kind == ControlKind::RadioButton;
}

// A label's mnemonic moves the focus to the next control of the template that can take it.
void SetBuddies(std::span<const ControlSpec> specs, const std::vector<QWidget*>& made) {
    for (size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].kind != ControlKind::Text) continue;
        if (!TemplateText(specs[i].label).contains(QLatin1Char('&'))) continue;
        for (size_t j = i + 1; j < specs.size(); ++j) {
            if (!TakesFocus(specs[j])) continue;
            auto* label = static_cast<QLabel*>(made[i]);
            label->setTextFormat(Qt::AutoText);
            label->setBuddy(made[j]);
            // Lists and fields would otherwise be read out by their value.
            made[j]->setAccessibleName(SpokenLabel(specs[i].label));
            break;
        }
    }
}

void NameForScreenReaders(const ControlSpec& spec, QWidget& control) {
    const AccessibleText text = AccessibleTextOf(spec);
    if (!text.name.isEmpty()) control.setAccessibleName(text.name);
    if (!text.description.isEmpty()) control.setAccessibleDescription(text.description);
    // A box's scroll bar is read on its own: it says which box it scrolls.
    if (auto* box = qobject_cast<QAbstractScrollArea*>(&control)) {
        const QString scrolls =
            UiText(QT_TRANSLATE_NOOP("Tinsori", "Scroll %1")).arg(control.accessibleName());
        box->verticalScrollBar()->setAccessibleName(scrolls);
        box->horizontalScrollBar()->setAccessibleName(scrolls);
    }
}

}  // namespace

QSize DialogControls::LayOut(QDialog& dialog, const DialogTemplate& tmpl,
                             const std::vector<QWidget*>& made, const QFont& font, bool widen) {
    dialog.setFont(font);
    DialogUnits units(font);
    for (size_t i = 0; widen && i < made.size(); ++i)
        units.WidenToFit(TextWidthNeeded(tmpl.controls[i], *made[i]), tmpl.controls[i].width);
    for (size_t i = 0; i < made.size(); ++i)
        made[i]->setGeometry(PlaceOf(tmpl.controls[i], *made[i], units));
    return {units.toX(tmpl.width), units.toY(tmpl.height)};
}

DialogControls DialogControls::Build(QDialog& dialog, const DialogTemplate& tmpl, const QFont& font,
                                     QSize room) {
    AccessibleComboBox::Install();
    dialog.setFont(font);
    dialog.setWindowTitle(TemplateText(tmpl.title));
    DialogUnits units(font);
    DialogControls controls;
    std::vector<QWidget*> made;
    for (const ControlSpec& spec : tmpl.controls) {
        QWidget* control = MakeControl(spec, &dialog, units);
        control->setFocusPolicy(TakesFocus(spec) ? Qt::StrongFocus : Qt::NoFocus);
        if (spec.flags & kHidden) control->hide();
        if (spec.id != 0) controls.byId_[spec.id] = control;
        made.push_back(control);
    }
    SetBuddies(tmpl.controls, made);
    for (size_t i = 0; i < made.size(); ++i) NameForScreenReaders(tmpl.controls[i], *made[i]);
    auto fits = [&room](QSize size) { return !room.isValid() || room.expandedTo(size) == room; };
    QFont shown = font;
    QSize size = LayOut(dialog, tmpl, made, shown, true);
    while (!fits(size)) {
        size = LayOut(dialog, tmpl, made, shown, false);
        if (fits(size) || shown.pointSizeF() - 1 < kSmallestPointSize) break;
        shown.setPointSizeF(shown.pointSizeF() - 1);
        size = LayOut(dialog, tmpl, made, shown, true);
    }
    dialog.setFixedSize(size);
    return controls;
}

QWidget* DialogControls::widget(int id) const {
    auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

}  // namespace tinsori
