#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// lupdate finds the texts by this macro's name; Qt defines it the same way.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tinsori {

// The words of every text the player shows: the English source text, turned into the user's
// language by the translator the front end installs. Texts carry numbered arguments (%1, %2)
// so that a translation may order them as its language needs.
class TextCatalogue {
public:
    // Returns the text in the user's language, or the source itself.
    using Translator = std::string (*)(const char* source);

    // Set once at start-up, before any thread asks for words; none leaves the texts English.
    static void Install(Translator translator);

    static std::string Translated(const char* source);

    // `source` translated, with %1..%9 replaced by the arguments in one pass (an argument's own
    // "%2" stays as written).
    static std::string Words(const char* source, std::initializer_list<std::string_view> args = {});
};

}  // namespace tinsori
