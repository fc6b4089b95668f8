#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "app/CommandLine.h"
#include "store/ProfileStore.h"

namespace tinsori {

// `--profile`, else the default profile path.
std::string ProfilePath(const CommandLine& line);

// False, with one line in `error`, when the profile is there but not a regular file (a device, a
// folder), or `--profile` names an existing file that is not a profile database at all: such a
// file is never touched.
bool CheckNamedProfile(const CommandLine& line, std::string& error);

// A private copy of the profile for runs that only read it (export, render); null, after one
// line on `err`, when the file is there but cannot be read.
std::unique_ptr<ProfileStore> OpenProfileCopy(const CommandLine& line, std::ostream& err);

// A private copy of the profile holding the favorites the Favorites list would show at start-up:
// on a first run the built-in favorites are installed into the copy, never into the file.
std::unique_ptr<ProfileStore> StartUpFavorites(const CommandLine& line, std::ostream& err);

// Opens (creating when missing) the profile; tells `err` when an unreadable file was moved aside
// or no profile could be opened.
std::unique_ptr<ProfileStore> OpenProfile(const CommandLine& line, std::ostream& err);

// The profile for play: opened for writing when it can be, else (a read-only folder or mount, no
// folder to make it in) a private copy of it or of the defaults, `readOnly` set and `err` told once
// that changes will not be saved. Null after one line on `err` when there is no profile to play
// with.
std::unique_ptr<ProfileStore> OpenProfileToPlay(const CommandLine& line, std::ostream& err,
                                                bool& readOnly);

// `--export-profile FILE|-` ("-" writes to `out`) and `--import-profile FILE`; exit statuses.
int ExportProfileTo(const CommandLine& line, std::ostream& out, std::ostream& err);
int ImportProfileFrom(const CommandLine& line, std::ostream& err);

}  // namespace tinsori
