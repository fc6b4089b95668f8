#include "platform/LocaleLanguage.h"

#include <algorithm>
#include <sstream>

namespace tinsori {

namespace {

// "de_AT.UTF-8@euro" -> "de".
std::string LanguageOf(const std::string& locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

std::vector<std::string> Wanted(const EnvironmentReader& environment) {
    std::vector<std::string> wanted;
    const char* list = environment("LANGUAGE");
    std::istringstream languages(list ? list : "");
    for (std::string item; std::getline(languages, item, ':');)
        if (!item.empty()) wanted.push_back(LanguageOf(item));
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(name);
        if (value && *value) {
            wanted.push_back(LanguageOf(value));
            break;
        }
    }
    return wanted;
}

}  // namespace

std::string LocaleLanguage(const EnvironmentReader& environment,
                           const std::vector<std::string>& offered) {
    for (const std::string& language : Wanted(environment)) {
        if (language == "en" || language == "C" || language == "POSIX") return {};
        if (std::find(offered.begin(), offered.end(), language) != offered.end()) return language;
    }
    return {};
}

}  // namespace tinsori
