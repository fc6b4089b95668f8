#pragma once

#include <string>

namespace tinsori {

// Whether the program may write `path` without creating it now: an existing regular file it
// may write, or a new name in a folder it may write. With `streams`, a pipe or a character
// device (a terminal, /dev/stdout into a pipe) will do too, for output appended line by line
// rather than replaced whole.
bool IsWritableTarget(const std::string& path, bool streams = false);

}  // namespace tinsori
