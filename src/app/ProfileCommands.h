#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "app/CommandLine.h"
#include "store/ProfileStore.h"

namespace tinsori {

// `--profile`, else the default profile path.
std::string ProfilePath(const CommandLine& line);

// Opens (creating when missing) the profile; tells `err` when an unreadable file was moved aside
// or no profile could be opened.
std::unique_ptr<ProfileStore> OpenProfile(const CommandLine& line, std::ostream& err);

// `--export-profile FILE|-` ("-" writes to `out`) and `--import-profile FILE`; exit statuses.
int ExportProfileTo(const CommandLine& line, std::ostream& out, std::ostream& err);
int ImportProfileFrom(const CommandLine& line, std::ostream& err);

}  // namespace tinsori
