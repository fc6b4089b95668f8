#include "platform/AnonymousFile.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "platform/win32/WideText.h"

namespace tinsori {

namespace {

// A new file of an unused name in `folder` that Windows deletes when its last handle closes,
// also when the program is killed.
HANDLE CreateDeleteOnClose(const std::filesystem::path& folder) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path path =
            folder / (L".tinsori-" + std::to_wstring(entropy() % 1000000) + L".tmp");
        HANDLE file = CreateFileW(
            path.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

FilePointer OpenAnonymousFile(const std::string& folder) {
    HANDLE handle =
        CreateDeleteOnClose(std::filesystem::path(Widen(folder.empty() ? "." : folder)));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EACCES;
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "w+b");
    if (!file) _close(fd);
    return FilePointer(file);
}

}  // namespace tinsori
