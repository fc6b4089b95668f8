#include "platform/AnonymousFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tinsori {

FilePointer OpenAnonymousFile(const std::string& folder) {
    const std::string where = folder.empty() ? "." : folder;
    int fd = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without unnamed files: a named one, unlinked at once.
        std::string path = where + "/.tinsori-XXXXXX";
        fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd >= 0) ::unlink(path.c_str());
    }
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "w+b");
    if (!file) ::close(fd);
    return FilePointer(file);
}

}  // namespace tinsori
