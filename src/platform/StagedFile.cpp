#include "platform/StagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace tinsori {

namespace {

namespace fs = std::filesystem;

// The file a link names, so that the link itself survives the rename.
fs::path ResolvedTarget(const std::string& target) {
    std::error_code ec;
    const fs::path resolved = fs::canonical(target, ec);
    return ec ? fs::path(target) : resolved;
}

std::string HiddenNameBeside(const fs::path& target, std::random_device& entropy) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return (folder / ("." + target.filename().string() + "." + std::to_string(entropy() % 1000000) +
                      ".part"))
        .string();
}

// Opens a new file of an unused hidden name beside `target`. Created with mode 0666 so that the
// umask applies as to any new file, rather than mkstemp's private 0600.
int CreateBeside(const fs::path& target, std::string& path) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = HiddenNameBeside(target, entropy);
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A file without a name in the target's folder, so that nothing is left behind even when the
// program is killed; on a file system without such files, a hidden named one (`path` set).
int CreateUnnamedBeside(const fs::path& target, std::string& path) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
    return CreateBeside(target, path);
}

std::string DescriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// Gives the unnamed file a hidden name beside the target, for the rename that replaces it.
bool LinkBeside(int fd, const fs::path& target, std::string& path) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = HiddenNameBeside(target, entropy);
        // Through /proc, which needs no privilege; without /proc, by the descriptor itself.
        if (::linkat(AT_FDCWD, DescriptorPath(fd).c_str(), AT_FDCWD, path.c_str(),
                     AT_SYMLINK_FOLLOW) == 0 ||
            (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0))
            return true;
        if (errno != EEXIST) break;
    }
    path.clear();
    return false;
}

}  // namespace

std::unique_ptr<StagedFile> StagedFile::Create(const std::string& target, std::string* error) {
    const fs::path resolved = ResolvedTarget(target);
    std::string path;
    const int fd = CreateUnnamedBeside(resolved, path);
    if (fd < 0) {
        if (error) *error = "cannot write " + target + ": " + std::strerror(errno);
        return nullptr;
    }
    // A replaced file keeps its permissions.
    struct stat existing {};
    if (::stat(resolved.c_str(), &existing) == 0) (void)::fchmod(fd, existing.st_mode & 07777);
    return std::unique_ptr<StagedFile>(new StagedFile(target, resolved.string(), path, fd));
}

StagedFile::StagedFile(std::string target, std::string destination, std::string path, int fd)
    : target_(std::move(target)),
      destination_(std::move(destination)),
      path_(std::move(path)),
      fd_(fd) {}

StagedFile::~StagedFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
}

std::string StagedFile::path() const {
    return path_.empty() ? DescriptorPath(fd_) : path_;
}

bool StagedFile::WriteAll(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool StagedFile::Commit(std::string* error) {
    // A disk that runs full may say so only when the data is flushed or the file closed.
    bool ok = ::fsync(fd_) == 0 && (!path_.empty() || LinkBeside(fd_, destination_, path_));
    const int closed = ::close(fd_);
    fd_ = -1;
    ok = ok && closed == 0 && ::rename(path_.c_str(), destination_.c_str()) == 0;
    if (!ok) {
        if (error) *error = "cannot write " + target_ + ": " + std::strerror(errno);
        if (!path_.empty()) ::unlink(path_.c_str());
        committed_ = true;  // nothing left to remove
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace tinsori
