#include "platform/WritableTarget.h"

#include <windows.h>

#include <filesystem>

#include "platform/win32/WideText.h"

namespace tinsori {

namespace {

// Windows keeps rights in access lists that the read-only attribute does not show: the one
// sure answer is to try. The probe is deleted when its handle closes.
bool FolderTakesNewFiles(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / L".tinsori-write-probe.tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

}  // namespace

bool IsWritableTarget(const std::string& path, bool streams) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(Widen(path));
    if (fs::exists(target, ec)) {
        // A device (NUL, CON) opens for writing like a file.
        if (!streams && !fs::is_regular_file(target, ec)) return false;
        HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(L".");
    return fs::is_directory(folder, ec) && FolderTakesNewFiles(folder);
}

}  // namespace tinsori
