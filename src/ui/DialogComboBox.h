#pragma once

#include <QComboBox>
#include <functional>

namespace tinsori {

// A combo box that also tells when its list is about to drop down and when it loses the focus,
// which the Instrument list needs to take a typed name.
class DialogComboBox : public QComboBox {
public:
    explicit DialogComboBox(QWidget* parent) : QComboBox(parent) {}

    // An edit field the user types names into: its text never picks a list entry by itself.
    void makeEditable();

    std::function<void()> onDropDown;
    std::function<void()> onFocusOut;

    void showPopup() override;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tinsori
