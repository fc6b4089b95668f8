#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace tinsori {

// How a screen reader sees a combo box that has an accessible name: by that name, with the
// entry shown as its value. Qt's own reading on Linux names a combo box by its current entry,
// so a list of numbers reads as "0" or "-3" with nothing saying what they are.
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox* box);

    // Makes every combo box given an accessible name read this way; call once a QApplication
    // exists (again does nothing).
    static void Install();

    QString text(QAccessible::Text t) const override;
    // The drop-down list, then the edit field of an editable combo box.
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* box() const;
};

}  // namespace tinsori
