#include "store/SqliteStoreFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>

namespace tinsori {

namespace {

constexpr int kBusyTimeoutMs = 10000;
constexpr int kOpenAttempts = 5;
// Copies starting together on a new profile race to switch it to WAL; the loser is told "locked"
// at once, without the busy timeout, so opening tries again for about as long as that timeout.
constexpr int kBusyRetries = 400;
constexpr auto kBusyRetryPause = std::chrono::milliseconds(25);

enum class Health { kGood, kUnreadable, kBusy, kFailed };

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
    const int primary = rc & 0xFF;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) return Health::kBusy;
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

bool BackupFrom(sqlite3* memory, const std::string& path, std::string& why) {
    Connection source;
    int rc = sqlite3_open_v2(path.c_str(), &source.db, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(source.db, kBusyTimeoutMs);
        sqlite3_backup* backup = sqlite3_backup_init(memory, "main", source.db, "main");
        if (!backup) {
            why = sqlite3_errmsg(memory);
            return false;
        }
        rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc == SQLITE_DONE) return true;
    }
    why = sqlite3_errstr(rc);
    return false;
}

// A file we may only read (a read-only mount, where a WAL file's shared-memory file cannot be
// made) is read from a private copy of it and its WAL file, so that what the WAL holds counts.
bool BackupFromPrivateCopy(sqlite3* memory, const std::string& path, std::string& why) {
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "tinsori-profile-XXXXXX").string();
    if (!::mkdtemp(folder.data())) return false;
    const std::string copy = folder + "/profile.db";
    std::error_code ec;
    fs::copy_file(path, copy, ec);
    if (!ec && fs::exists(path + "-wal")) fs::copy_file(path + "-wal", copy + "-wal", ec);
    const bool copied = !ec && BackupFrom(memory, copy, why);
    fs::remove_all(folder, ec);
    return copied;
}

bool CopyInto(sqlite3* memory, const std::string& path, std::string& why) {
    if (BackupFrom(memory, path, why)) return true;
    return ::access(path.c_str(), R_OK) == 0 && BackupFromPrivateCopy(memory, path, why);
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
    int busyRetries = 0;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        struct stat examined {};
        const bool existed = ::stat(path.c_str(), &examined) == 0;
        Connection conn;
        const int rc = sqlite3_open_v2(path.c_str(), &conn.db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const Health health =
            rc == SQLITE_OK ? Configure(conn.db, why) : (why = sqlite3_errstr(rc), Classify(rc));
        if (health == Health::kGood) return std::make_unique<SqliteProfileStore>(conn.release());
        if (health == Health::kBusy && ++busyRetries < kBusyRetries) {
            --attempt;
            std::this_thread::sleep_for(kBusyRetryPause);
            continue;
        }
        if (health != Health::kUnreadable || !existed) break;
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

std::unique_ptr<SqliteProfileStore> SqliteStoreFile::OpenInMemoryCopy(const std::string& path,
                                                                      std::string* error) {
    Connection memory;
    if (sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        if (error) *error = "out of memory";
        return nullptr;
    }
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    std::string why;
    if (exists && !CopyInto(memory.db, path, why)) {
        if (error) *error = "cannot read the profile " + path + ": " + why;
        return nullptr;
    }
    if (Inspect(memory.db, why) != Health::kGood ||
        PrepareSchema(memory.db, why) != Health::kGood) {
        if (error) *error = "cannot read the profile " + path + ": " + why;
        return nullptr;
    }
    return std::make_unique<SqliteProfileStore>(memory.release());
}

bool SqliteStoreFile::HasSqliteHeader(const std::string& path) {
    static constexpr char kMagic[] = "SQLite format 3";  // 16 bytes with its NUL
    char head[sizeof kMagic] = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    const size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return got == sizeof head && std::memcmp(head, kMagic, sizeof kMagic) == 0;
}

}  // namespace tinsori
