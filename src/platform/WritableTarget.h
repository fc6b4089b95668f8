#pragma once

#include <string>

namespace tinsori {

// Whether the program may write `path` without creating it now: an existing regular file it
// may write, or a new name in a folder it may write.
bool IsWritableTarget(const std::string& path);

}  // namespace tinsori
