#pragma once

#include <QWidget>
#include <map>

#include "ui/DialogTemplate.h"

class QDialog;

namespace tinsori {

// The widgets a template made, by control id.
class DialogControls {
public:
    // Builds every control of `tmpl` into `dialog`, in template order (so the tab order is the
    // template's), sized from dialog units of `font`, and fixes the dialog's size and title.
    static DialogControls Build(QDialog& dialog, const DialogTemplate& tmpl, const QFont& font);

    QWidget* widget(int id) const;
    template <typename T>
    T* get(int id) const {
        return static_cast<T*>(widget(id));
    }

private:
    std::map<int, QWidget*> byId_;
};

}  // namespace tinsori
