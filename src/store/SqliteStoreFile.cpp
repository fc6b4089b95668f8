#include "store/SqliteStoreFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <utility>

namespace tinsori {

namespace {

constexpr int kBusyTimeoutMs = 10000;
constexpr int kOpenAttempts = 5;

enum class Health { kGood, kUnreadable, kFailed };

struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
    sqlite3* release() { return std::exchange(db, nullptr); }
};

bool IsDamage(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_FORMAT;
}

// Runs a statement that yields one value (or none) and hands back the first column as text.
int QueryText(sqlite3* db, const char* sql, std::string& out) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK) return rc;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        out = text ? text : "";
        rc = SQLITE_OK;
    } else if (rc == SQLITE_DONE) {
        out.clear();
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc;
}

Health Classify(int rc) {
    if (rc == SQLITE_OK) return Health::kGood;
    return IsDamage(rc) ? Health::kUnreadable : Health::kFailed;
}

// Checks that the file is a store this version can read: a SQLite database that passes the
// quick check, with a schema version no newer than ours.
Health Inspect(sqlite3* db, std::string& why) {
    std::string text;
    int rc = QueryText(db, "PRAGMA user_version", text);
    if (rc != SQLITE_OK) {
        why = sqlite3_errmsg(db);
        return Classify(rc);
    }
    if (std::strtol(text.c_str(), nullptr, 10) > SqliteProfileStore::kSchemaVersion) {
        why = "written by a newer version";
        return Health::kUnreadable;
    }
    rc = QueryText(db, "PRAGMA quick_check", text);
    if (rc != SQLITE_OK || text != "ok") {
        why = rc != SQLITE_OK ? sqlite3_errmsg(db) : text;
        return rc != SQLITE_OK ? Classify(rc) : Health::kUnreadable;
    }
    return Health::kGood;
}

bool Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Creates the schema in a fresh database, or checks that an existing one is ours. Another copy
// may be doing the same at this moment, hence the immediate transaction.
Health PrepareSchema(sqlite3* db, std::string& why) {
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        why = sqlite3_errmsg(db);
        return Classify(rc);
    }
    std::string version, tables;
    rc = QueryText(db, "PRAGMA user_version", version);
    if (rc == SQLITE_OK) {
        rc = QueryText(db,
                       "SELECT count(*) FROM sqlite_schema WHERE type = 'table'"
                       " AND name IN ('sections', 'entries')",
                       tables);
    }
    Health health = Classify(rc);
    std::string others;
    if (health == Health::kGood && version == "0") {
        QueryText(db, "SELECT count(*) FROM sqlite_schema", others);
        if (others != "0") {
            why = "not a profile store";
            health = Health::kUnreadable;
        } else {
            const bool made = Exec(db,
                                   "CREATE TABLE sections(id INTEGER PRIMARY KEY,"
                                   " space INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE,"
                                   " UNIQUE(space, name));"
                                   "CREATE TABLE entries(id INTEGER PRIMARY KEY,"
                                   " section INTEGER NOT NULL REFERENCES sections(id),"
                                   " name TEXT NOT NULL COLLATE NOCASE, kind INTEGER NOT NULL,"
                                   " data BLOB NOT NULL, UNIQUE(section, name));"
                                   "PRAGMA user_version = 1;");
            if (!made) {
                why = sqlite3_errmsg(db);
                health = Health::kFailed;
            }
        }
    } else if (health == Health::kGood && tables != "2") {
        why = "its tables are missing";
        health = Health::kUnreadable;
    } else if (health != Health::kGood) {
        why = sqlite3_errmsg(db);
    }
    Exec(db, health == Health::kGood ? "COMMIT" : "ROLLBACK");
    return health;
}

Health Configure(sqlite3* db, std::string& why) {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    Health health = Inspect(db, why);
    if (health != Health::kGood) return health;
    std::string mode;
    const int rc = QueryText(db, "PRAGMA journal_mode = WAL", mode);
    if (rc != SQLITE_OK) {
        why = sqlite3_errmsg(db);
        return Classify(rc);
    }
    Exec(db, "PRAGMA synchronous = NORMAL");
    return PrepareSchema(db, why);
}

// Moves `from` to `to` unless `to` exists; never replaces a file.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without the flag: a hard link fails atomically when the name is taken.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    return ::unlink(from.c_str()) == 0;
}

// Moves the damaged file (and its journal files, which belong to it alone) aside, unless the
// file at `path` is no longer the one examined: another copy has already dealt with it.
bool MoveAside(const std::string& path, const struct stat& examined, std::string& aside) {
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0 || now.st_ino != examined.st_ino ||
        now.st_dev != examined.st_dev) {
        return false;
    }
    const std::string base = SqliteStoreFile::AsideName(path);
    aside = base;
    for (int n = 1; !RenameNoReplace(path, aside); ++n) {
        if (errno != EEXIST || n > 1000) return false;
        aside = base + "-" + std::to_string(n);
    }
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        std::error_code ignored;
        if (std::filesystem::exists(path + suffix, ignored)) {
            RenameNoReplace(path + suffix, aside + suffix);
        }
    }
    return true;
}

}  // namespace

std::string SqliteStoreFile::AsideName(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return path + ".corrupt-" + stamp;
}

std::unique_ptr<SqliteProfileStore> SqliteStoreFile::Open(const std::string& path,
                                                          std::string* notice, std::string* error) {
    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec) {
        if (error) *error = "cannot create the folder " + folder.string() + ": " + ec.message();
        return nullptr;
    }
    std::string why;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        struct stat examined {};
        const bool existed = ::stat(path.c_str(), &examined) == 0;
        Connection conn;
        const int rc = sqlite3_open_v2(path.c_str(), &conn.db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const Health health =
            rc == SQLITE_OK ? Configure(conn.db, why) : (why = sqlite3_errstr(rc), Classify(rc));
        if (health == Health::kGood) return std::make_unique<SqliteProfileStore>(conn.release());
        if (health == Health::kFailed || !existed) break;
        sqlite3_close_v2(conn.release());
        std::string aside;
        if (MoveAside(path, examined, aside) && notice) {
            *notice = "The profile " + path + " could not be read (" + why + "); it was moved to " +
                      aside + " and a fresh profile started.";
        }
    }
    if (error) *error = "cannot open the profile " + path + ": " + why;
    return nullptr;
}

std::unique_ptr<SqliteProfileStore> SqliteStoreFile::OpenInMemoryCopy(const std::string& path) {
    Connection memory;
    if (sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        return nullptr;
    }
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        Connection source;
        if (sqlite3_open_v2(path.c_str(), &source.db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(source.db, kBusyTimeoutMs);
            sqlite3_backup* backup = sqlite3_backup_init(memory.db, "main", source.db, "main");
            if (backup) {
                sqlite3_backup_step(backup, -1);
                sqlite3_backup_finish(backup);
            }
        }
    }
    std::string why;
    if (Inspect(memory.db, why) != Health::kGood ||
        PrepareSchema(memory.db, why) != Health::kGood) {
        // Whatever was copied is unusable: start the copy empty.
        sqlite3_close_v2(memory.release());
        if (sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
            PrepareSchema(memory.db, why) != Health::kGood) {
            return nullptr;
        }
    }
    return std::make_unique<SqliteProfileStore>(memory.release());
}

}  // namespace tinsori
