#include "ui/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tinsori {

namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* box = qobject_cast<QComboBox*>(object);
    if (className != QLatin1String("QComboBox") || !box || box->accessibleName().isEmpty())
        return nullptr;
    return new AccessibleComboBox(box);
}

}  // namespace

AccessibleComboBox::AccessibleComboBox(QComboBox* box)
    : QAccessibleWidget(box, QAccessible::ComboBox) {}

void AccessibleComboBox::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

QComboBox* AccessibleComboBox::box() const {
    return static_cast<QComboBox*>(widget());
}

QString AccessibleComboBox::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name:
            return box()->accessibleName();
        case QAccessible::Value:
            return box()->currentText();
        default:
            return QAccessibleWidget::text(t);
    }
}

int AccessibleComboBox::childCount() const {
    return box()->isEditable() ? 2 : 1;
}

QAccessibleInterface* AccessibleComboBox::child(int index) const {
    if (index == 0) return QAccessible::queryAccessibleInterface(box()->view());
    if (index == 1 && box()->isEditable())
        return QAccessible::queryAccessibleInterface(box()->lineEdit());
    return nullptr;
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    if (child->object() == box()->view()) return 0;
    if (box()->isEditable() && child->object() == box()->lineEdit()) return 1;
    return -1;
}

QStringList AccessibleComboBox::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void AccessibleComboBox::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction()) return;
    if (box()->view()->isVisible()) {
        box()->hidePopup();
    } else {
        box()->showPopup();
    }
}

}  // namespace tinsori
