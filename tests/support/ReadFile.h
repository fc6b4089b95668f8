#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tinsori::testing_support {

// A file's bytes; empty when it cannot be opened.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace tinsori::testing_support
