#include "ui/DialogComboBox.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace tinsori {

void DialogComboBox::showPopup() {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
}

void DialogComboBox::makeEditable() {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Left alone, Enter or leaving the field with text that names an entry selects and applies
    // that entry: a favorite typed in order to save over it would first replace the settings
    // about to be saved.
    QObject::disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
}

void DialogComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The list's own popup takes the focus for a moment; that is not leaving the control.
    if (event->reason() == Qt::PopupFocusReason) return;
    if (onFocusOut) onFocusOut();
}

}  // namespace tinsori
