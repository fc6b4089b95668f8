#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "store/ProfileStore.h"
#include "store/RegistryTextParser.h"

namespace tinsori {

// The whole profile as a registry editor file: UTF-8, one bracketed key per section, strings
// quoted with \\ and \" escaped (texts holding control characters as hex(1)), integers as
// dword:, binary as hex:. Only what an import reads back equal is written: every section or
// value left out is named in `leftOut` (a name with a line break, a text holding a NUL, a kind
// the format has no word for). Returns false when the stream fails.
bool ExportProfile(ProfileStore& store, std::ostream& out,
                   std::vector<std::string>* leftOut = nullptr);

// Writes parsed sections into the profile in one transaction: when any write or the commit
// fails, nothing is kept and `error` names the line of the file at fault (or the commit).
bool ApplyRegistryText(ProfileStore& store, const std::vector<RegistryTextSection>& sections,
                       std::string* error);

// Reads, checks and applies a registry editor file (UTF-8, or UTF-16LE with a byte-order mark).
// A malformed file changes nothing and `error` says which line is at fault.
bool ImportProfile(ProfileStore& store, std::istream& in, std::string* error);

}  // namespace tinsori
