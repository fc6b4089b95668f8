#pragma once

#include <QCoreApplication>
#include <QString>

namespace tinsori {

// The catalogue's words for a source text marked with QT_TRANSLATE_NOOP("Tinsori", ...): the
// installed translation, or the English text itself.
inline QString UiText(const char* source) {
    return QCoreApplication::translate("Tinsori", source);
}

}  // namespace tinsori
