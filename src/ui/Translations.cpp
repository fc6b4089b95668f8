#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <cstdlib>

#include "platform/LocaleLanguage.h"
#include "platform/TextCatalogue.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

std::string TranslatedSource(const char* source) {
    return UiText(source).toStdString();
}

}  // namespace

Translations::Translations() {
    const std::string chosen =
        LocaleLanguage([](const char* name) { return std::getenv(name); }, {"de", "fr"});
    if (chosen.empty()) return;
    language_ = QString::fromStdString(chosen);
    // Compiled in: a translation that fails to load is a broken build, shown in English.
    if (program_.load(QStringLiteral(":/i18n/tinsori_") + language_))
        QCoreApplication::installTranslator(&program_);
    // Qt's own texts come with the system's Qt where its translations are installed.
    if (toolkit_.load(QStringLiteral("qtbase_") + language_,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkit_);
    TextCatalogue::Install(&TranslatedSource);
}

Translations::~Translations() {
    TextCatalogue::Install(nullptr);
    QCoreApplication::removeTranslator(&toolkit_);
    QCoreApplication::removeTranslator(&program_);
}

}  // namespace tinsori
