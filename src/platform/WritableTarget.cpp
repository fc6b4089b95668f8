#include "platform/WritableTarget.h"

#include <unistd.h>

#include <filesystem>

namespace tinsori {

bool IsWritableTarget(const std::string& path, bool streams) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(target, ec)) {
        const bool stream =
            streams && (fs::is_fifo(target, ec) || fs::is_character_file(target, ec));
        return (stream || fs::is_regular_file(target, ec)) && access(path.c_str(), W_OK) == 0;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return fs::is_directory(folder, ec) && access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace tinsori
