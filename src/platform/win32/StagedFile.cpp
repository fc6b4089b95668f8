#include "platform/StagedFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/win32/WideText.h"

namespace tinsori {

namespace {

namespace fs = std::filesystem;

// Opens a new file of an unused hidden name beside `target`.
int CreateBeside(const fs::path& target, std::string& path) {
    std::random_device entropy;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / (L"." + target.filename().wstring() + L"." +
                                             std::to_wstring(entropy() % 1000000) + L".part");
        const int fd =
            _wopen(candidate.wstring().c_str(),
                   _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) {
            path = Narrow(candidate.wstring());
            return fd;
        }
    }
    return -1;
}

}  // namespace

std::unique_ptr<StagedFile> StagedFile::Create(const std::string& target, std::string* error) {
    std::string staging;
    const int handle = CreateBeside(fs::path(Widen(target)), staging);
    if (handle < 0) {
        if (error) *error = "cannot write " + target + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<StagedFile>(new StagedFile(target, target, staging, handle));
}

StagedFile::StagedFile(std::string target, std::string destination, std::string path, int fd)
    : target_(std::move(target)),
      destination_(std::move(destination)),
      path_(std::move(path)),
      fd_(fd) {}

// Windows has no files without a name: the staging file has its hidden one from the start.
std::string StagedFile::path() const {
    return path_;
}

StagedFile::~StagedFile() {
    if (fd_ >= 0) _close(fd_);
    if (!committed_) DeleteFileW(Widen(path_).c_str());
}

bool StagedFile::WriteAll(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        const int written = _write(fd_, bytes, chunk);
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
    bool ok = _commit(fd_) == 0;
    ok = _close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok) {
        if (error) *error = "cannot write " + target_ + ": " + std::strerror(errno);
        return false;
    }
    // Replaces the target in one step, as rename does on Linux.
    if (!MoveFileExW(Widen(path_).c_str(), Widen(destination_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (error) *error = "cannot write " + target_ + ": " + LastErrorText();
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace tinsori
