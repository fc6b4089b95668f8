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

// Opens a new file of an unused hidden name beside `target`. Created with mode 0666 so that the
// umask applies as to any new file, rather than mkstemp's private 0600.
int CreateBeside(const fs::path& target, std::string& path) {
    std::random_device entropy;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = (folder / ("." + target.filename().string() + "." +
                          std::to_string(entropy() % 1000000) + ".part"))
                   .string();
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

std::unique_ptr<StagedFile> StagedFile::Create(const std::string& target, std::string* error) {
    const fs::path resolved = ResolvedTarget(target);
    std::string path;
    const int fd = CreateBeside(resolved, path);
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
    if (!committed_) ::unlink(path_.c_str());
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
    bool ok = ::fsync(fd_) == 0;
    const int closed = ::close(fd_);
    fd_ = -1;
    ok = ok && closed == 0 && ::rename(path_.c_str(), destination_.c_str()) == 0;
    if (!ok) {
        if (error) *error = "cannot write " + target_ + ": " + std::strerror(errno);
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace tinsori
