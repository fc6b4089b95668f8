#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tinsori {

// Reads one environment variable; null when unset.
using EnvironmentReader = std::function<const char*(const char*)>;

// The language the user's locale asks for among `offered` ("de", "fr"), or "" for English: the
// languages of LANGUAGE in their order, then the first set of LC_ALL, LC_MESSAGES and LANG.
// English, "C" or "POSIX" met before an offered language means English.
std::string LocaleLanguage(const EnvironmentReader& environment,
                           const std::vector<std::string>& offered);

}  // namespace tinsori
