#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "store/ProfileStore.h"

namespace tinsori {

// The whole profile as a registry editor file: UTF-8, one bracketed key per section, strings
// quoted with \\ and \" escaped (texts holding control characters as hex(1)), integers as
// dword:, binary as hex:. Returns false when the stream fails.
bool ExportProfile(ProfileStore& store, std::ostream& out);

// Merges a registry editor file (UTF-8, or UTF-16LE with a byte-order mark) into the profile.
// The whole file is checked first; a malformed one changes nothing and `error` says which line
// is at fault. Everything is then written in one transaction.
bool ImportProfile(ProfileStore& store, std::istream& in, std::string* error);

}  // namespace tinsori
