#include "ui/DialogComboBox.h"

#include <QFocusEvent>

namespace tinsori {

void DialogComboBox::showPopup() {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
}

void DialogComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (onFocusIn) onFocusIn();
}

void DialogComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The list's own popup takes the focus for a moment; that is not leaving the control.
    if (event->reason() == Qt::PopupFocusReason) return;
    if (onFocusOut) onFocusOut();
}

}  // namespace tinsori
