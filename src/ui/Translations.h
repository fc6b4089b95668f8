#pragma once

#include <QString>
#include <QTranslator>

namespace tinsori {

// The program's texts and Qt's own (message box buttons) in the language the locale asks for,
// installed for the application's life; English, the source language, needs neither.
class Translations {
public:
    // Needs the application object; installs nothing when the locale asks for English.
    Translations();
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // "de", "fr", or "" for English.
    const QString& language() const { return language_; }

private:
    QString language_;
    QTranslator program_;
    QTranslator toolkit_;
};

}  // namespace tinsori
