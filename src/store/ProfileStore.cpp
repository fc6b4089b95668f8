#include "store/ProfileStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "store/SqliteStoreFile.h"

namespace tinsori {

std::unique_ptr<ProfileStore> ProfileStore::Open(const std::string& path, std::string* notice,
                                                 std::string* error) {
    return SqliteStoreFile::Open(path, notice, error);
}

std::unique_ptr<ProfileStore> ProfileStore::OpenInMemoryCopy(const std::string& path,
                                                             std::string* error) {
    return SqliteStoreFile::OpenInMemoryCopy(path, error);
}

bool ProfileStore::LooksLikeStoreFile(const std::string& path) {
    return SqliteStoreFile::HasSqliteHeader(path);
}

std::string ProfileStore::DefaultPath() {
    const char* explicitPath = std::getenv("TINSORI_PROFILE");
    if (explicitPath && *explicitPath) return explicitPath;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // Relative XDG paths are invalid and to be ignored.
    if (config && *config == '/') return std::string(config) + "/tinsori/profile.db";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = getpwuid(getuid());
        home = entry ? entry->pw_dir : "/tmp";
    }
    return std::string(home) + "/.config/tinsori/profile.db";
}

}  // namespace tinsori
