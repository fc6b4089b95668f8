#include "platform/TextCatalogue.h"

#include <vector>

namespace tinsori {

namespace {

TextCatalogue::Translator gTranslator = nullptr;

}  // namespace

void TextCatalogue::Install(Translator translator) {
    gTranslator = translator;
}

std::string TextCatalogue::Translated(const char* source) {
    return gTranslator ? gTranslator(source) : std::string(source);
}

std::string TextCatalogue::Words(const char* source, std::initializer_list<std::string_view> args) {
    const std::string text = Translated(source);
    const std::vector<std::string_view> values(args);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const size_t n = static_cast<size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && n < values.size()) {
            out += values[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace tinsori
