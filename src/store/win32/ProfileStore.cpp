#include "store/ProfileStore.h"

#include <algorithm>
#include <cstdlib>

#include "store/MemoryProfileStore.h"
#include "store/win32/RegistryProfileStore.h"

namespace tinsori {

namespace {

// A key path as the registry takes it: backslashes, none at either end.
std::string KeyPath(std::string path) {
    std::ranges::replace(path, '/', '\\');
    const size_t first = path.find_first_not_of('\\');
    const size_t last = path.find_last_not_of('\\');
    return first == std::string::npos ? std::string() : path.substr(first, last - first + 1);
}

}  // namespace

// On Windows a profile is a registry key below HKEY_CURRENT_USER\Software, never a file: it
// needs no creating, and cannot be damaged the way a file can.
std::unique_ptr<ProfileStore> ProfileStore::Open(const std::string& path, std::string*,
                                                 std::string* error) {
    const std::string key = KeyPath(path);
    if (key.empty()) {
        if (error) *error = "the profile \"" + path + "\" names no registry key";
        return nullptr;
    }
    return std::make_unique<RegistryProfileStore>(key);
}

std::unique_ptr<ProfileStore> ProfileStore::OpenInMemoryCopy(const std::string& path,
                                                             std::string* error) {
    auto store = Open(path, nullptr, error);
    if (!store) return nullptr;
    return MemoryProfileStore::CopyOf(*store);
}

bool ProfileStore::LooksLikeStoreFile(const std::string&) {
    return true;
}

std::string ProfileStore::DefaultPath() {
    const char* explicitPath = std::getenv("TINSORI_PROFILE");
    if (explicitPath && *explicitPath) return explicitPath;
    return "Quillfen\\Tinsori";
}

}  // namespace tinsori
