#pragma once

#include <memory>
#include <string>

#include "store/SqliteProfileStore.h"

namespace tinsori {

// Opens the profile store's SQLite file with the settings every copy of the program shares
// (WAL, synchronous=NORMAL, a busy timeout) and the schema in place. A file that is not a
// readable store is moved aside, never overwritten, and a fresh store started in its place.
class SqliteStoreFile {
public:
    static std::unique_ptr<SqliteProfileStore> Open(const std::string& path, std::string* notice,
                                                    std::string* error);
    // A private copy in memory of the store at `path`, empty when the file is missing. Null with
    // the reason when the file is there but not a readable store. Never writes or creates it.
    static std::unique_ptr<SqliteProfileStore> OpenInMemoryCopy(const std::string& path,
                                                                std::string* error = nullptr);
    // True when the file begins as every SQLite database does.
    static bool HasSqliteHeader(const std::string& path);
    // Where a damaged file goes: "<path>.corrupt-<YYYYmmdd-HHMMSS>" in local time.
    static std::string AsideName(const std::string& path);
};

}  // namespace tinsori
