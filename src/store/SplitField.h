#pragma once

#include <cstddef>
#include <string>

namespace tinsori {

// Takes the first field off the front of `line`: the characters up to the first comma or the
// first character below 32 (tab, CR, LF...). The separator is dropped and the line keeps the
// rest; a line without a separator becomes empty. Nothing is trimmed. A field longer than
// `maxField` bytes is cut to that length (the rest of it is dropped with the separator).
std::string SplitField(std::string& line, size_t maxField = std::string::npos);

// A field's number: decimal, leading white space and a sign allowed, stopping at the first
// non-digit; no digits give 0, and values beyond the range of long saturate.
long FieldToInt(const std::string& field);

}  // namespace tinsori
