#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace tinsori {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// A temporary file without a name in `folder`, open for reading and writing: it vanishes when
// closed, even when the program is killed, so it can never be left behind. Null (errno set) when
// the folder refuses it.
FilePointer OpenAnonymousFile(const std::string& folder);

}  // namespace tinsori
