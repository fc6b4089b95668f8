#include "platform/TextCatalogue.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/LocaleLanguage.h"

namespace tinsori {
namespace {

std::string Reversed(const char*) {
    return "%2 before %1, 100%";
}

TEST(TextCatalogueTest, ArgumentsGoWhereTheTranslationPutsThemAndStayAsWritten) {
    EXPECT_EQ(TextCatalogue::Words("No sound: %1 stopped", {"50% %2"}), "No sound: 50% %2 stopped");
    TextCatalogue::Install(&Reversed);
    EXPECT_EQ(TextCatalogue::Words("%1 after %2", {"a", "b"}), "b before a, 100%");
    TextCatalogue::Install(nullptr);
}

TEST(LocaleLanguageTest, FirstOfferedOrEnglishLanguageWins) {
    auto language = [](std::map<std::string, const char*> vars) {
        return LocaleLanguage(
            [&](const char* name) { return vars.count(name) ? vars[name] : nullptr; },
            {"de", "fr"});
    };
    EXPECT_EQ(language({{"LANGUAGE", "it:fr_CA:de"}, {"LANG", "de_DE.UTF-8"}}), "fr");
    EXPECT_EQ(language({{"LANGUAGE", "en_GB:de"}}), "");
    EXPECT_EQ(language({{"LC_ALL", "C"}, {"LC_MESSAGES", "de_AT.UTF-8"}}), "");
    EXPECT_EQ(language({{"LC_MESSAGES", "de_AT.UTF-8@euro"}, {"LANG", "fr_FR"}}), "de");
    EXPECT_EQ(language({{"LANG", "ja_JP.UTF-8"}}), "");
}

}  // namespace
}  // namespace tinsori
