#pragma once

#include <QString>

#include "player/DialogTemplate.h"

namespace tinsori {

// What a screen reader calls a control, where the control's own text would not do: a bar whose
// labels name the ends of its range, a list whose text is its value, a picture. Empty when the
// control's own text (or its label, for lists and fields) names it.
struct AccessibleText {
    QString name;
    QString description;
};

AccessibleText AccessibleTextOf(const ControlSpec& spec);

// A template label as a screen reader should read it: without its mnemonic marker or line breaks.
QString SpokenLabel(const char* label);

}  // namespace tinsori
