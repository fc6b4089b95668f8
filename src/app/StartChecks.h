#pragma once

#include <string>

#include "app/CommandLine.h"

namespace tinsori {

// Everything a user could have got wrong, checked before the profile is touched: the files and
// names given (see CommandLine::CheckEnvironment), a --profile that is no profile database, a
// --favorite that names none. False with one line in `error`.
bool CheckBeforeStart(const CommandLine& line, std::string& error);

}  // namespace tinsori
