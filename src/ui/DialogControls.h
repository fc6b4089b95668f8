#pragma once

#include <QWidget>
#include <map>

#include "player/DialogTemplate.h"

class QDialog;

namespace tinsori {

// The widgets a template made, by control id.
class DialogControls {
public:
    // Builds every control of `tmpl` into `dialog`, in template order (so the tab order is the
    // template's), sized from dialog units of `font`, and fixes the dialog's size and title.
    // A dialog larger than `room` is laid out smaller: first with the font's own unit where
    // labels had widened it, then in smaller fonts, down to kSmallestPointSize.
    static DialogControls Build(QDialog& dialog, const DialogTemplate& tmpl, const QFont& font,
                                QSize room = QSize());
    static constexpr double kSmallestPointSize = 6;

    QWidget* widget(int id) const;
    template <typename T>
    T* get(int id) const {
        return static_cast<T*>(widget(id));
    }

private:
    // Places the controls in units of `font`, widened for the labels when `widen`; the size.
    static QSize LayOut(QDialog& dialog, const DialogTemplate& tmpl,
                        const std::vector<QWidget*>& made, const QFont& font, bool widen);

    std::map<int, QWidget*> byId_;
};

}  // namespace tinsori
