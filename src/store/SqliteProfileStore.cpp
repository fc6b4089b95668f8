#include "store/SqliteProfileStore.h"

#include <sqlite3.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "store/Utf16Text.h"

namespace tinsori {

namespace {

enum Space : int { kApplicationSpace = 0, kBesideSpace = 1 };

enum Sql : int {
    kFindSection,
    kInsertSection,
    kGetValue,
    kUpsertValue,
    kDeleteValue,
    kDeleteSectionValues,
    kDeleteSectionRow,
    kListSections,
    kListValues,
    kSqlCount,
};

constexpr const char* kSqlText[kSqlCount] = {
    "SELECT id FROM sections WHERE space = ?1 AND name = ?2",
    "INSERT INTO sections(space, name) VALUES(?1, ?2)",
    "SELECT e.kind, e.data FROM entries e JOIN sections s ON e.section = s.id"
    " WHERE s.space = ?1 AND s.name = ?2 AND e.name = ?3",
    // Overwriting keeps the name as first written, as the registry does.
    "INSERT INTO entries(section, name, kind, data) VALUES(?1, ?2, ?3, ?4)"
    " ON CONFLICT(section, name) DO UPDATE SET kind = excluded.kind, data = excluded.data",
    "DELETE FROM entries WHERE section = ?1 AND name = ?2",
    "DELETE FROM entries WHERE section = ?1",
    "DELETE FROM sections WHERE id = ?1",
    "SELECT space, name FROM sections ORDER BY space, name",
    "SELECT e.name FROM entries e JOIN sections s ON e.section = s.id"
    " WHERE s.space = ?1 AND s.name = ?2 ORDER BY e.id",
};

// Busy answers outlive the busy timeout only in rare lock hand-overs; retry them briefly.
constexpr int kBusyAttempts = 2000;

bool IsBusy(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool NameFits(std::string_view name, size_t maxUnits) {
    return name.find('\0') == std::string_view::npos && Utf16Units(name) <= maxUnits;
}

// Resets a statement when the call using it ends, whichever way it ends.
class Reset {
public:
    explicit Reset(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~Reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    Reset(const Reset&) = delete;
    Reset& operator=(const Reset&) = delete;

private:
    sqlite3_stmt* stmt_;
};

void BindText(sqlite3_stmt* stmt, int index, std::string_view text) {
    sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::vector<uint8_t> LittleEndian(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

// The bytes the registry would hold for a string: UTF-16LE with its terminator.
std::vector<uint8_t> RegistryStringImage(std::string_view utf8) {
    std::vector<uint8_t> out;
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        out.push_back(static_cast<uint8_t>(unit));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

}  // namespace

SqliteProfileStore::SqliteProfileStore(sqlite3* db) : db_(db), statements_(kSqlCount, nullptr) {}

SqliteProfileStore::~SqliteProfileStore() {
    for (sqlite3_stmt* stmt : statements_) sqlite3_finalize(stmt);
    sqlite3_close_v2(db_);
}

sqlite3_stmt* SqliteProfileStore::statement(int which) {
    if (!statements_[which]) {
        if (sqlite3_prepare_v3(db_, kSqlText[which], -1, SQLITE_PREPARE_PERSISTENT,
                               &statements_[which], nullptr) != SQLITE_OK) {
            ++failures_;
        }
    }
    return statements_[which];
}

int SqliteProfileStore::step(sqlite3_stmt* stmt) {
    int rc = sqlite3_step(stmt);
    for (int attempt = 1; IsBusy(rc) && attempt < kBusyAttempts; ++attempt) {
        ++busyRetries_;
        sqlite3_reset(stmt);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        rc = sqlite3_step(stmt);
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) ++failures_;
    return rc;
}

bool SqliteProfileStore::exec(const char* sql) {
    int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    for (int attempt = 1; IsBusy(rc) && attempt < kBusyAttempts; ++attempt) {
        ++busyRetries_;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) ++failures_;
    return rc == SQLITE_OK;
}

void SqliteProfileStore::beginTransaction() {
    mutex_.lock();
    if (depth_++ == 0) began_ = exec("BEGIN IMMEDIATE");
}

bool SqliteProfileStore::endTransaction(bool rollback) {
    rollbackAsked_ = rollbackAsked_ || rollback;
    bool committed = true;
    if (--depth_ == 0) {
        // A failed statement (a full disk, an I/O error) may already have rolled it back.
        const bool open = began_ && !sqlite3_get_autocommit(db_);
        if (!open || rollbackAsked_) {
            if (open) exec("ROLLBACK");
            committed = false;
        } else if (!exec("COMMIT")) {
            exec("ROLLBACK");
            committed = false;
        }
        began_ = false;
        rollbackAsked_ = false;
    }
    mutex_.unlock();
    return committed;
}

std::optional<SqliteProfileStore::Place> SqliteProfileStore::placeForRead(
    std::string_view section) const {
    if (!section.empty() && section.front() == '@') return std::nullopt;  // no class hive here
    Place place{kApplicationSpace, std::string(section)};
    if (!section.empty() && section.front() == '-')
        place = {kBesideSpace, std::string(section.substr(1))};
    if (!NameFits(place.name, kMaxSectionName)) return std::nullopt;
    return place;
}

std::optional<SqliteProfileStore::Place> SqliteProfileStore::placeForWrite(
    std::string_view section) const {
    if (!section.empty() && section.front() == '*') return std::nullopt;  // no machine-wide hive
    Place place{kApplicationSpace, std::string(section)};
    if (!section.empty() && section.front() == '-')
        place = {kBesideSpace, std::string(section.substr(1))};
    if (!NameFits(place.name, kMaxSectionName)) return std::nullopt;
    return place;
}

std::optional<SqliteProfileStore::Stored> SqliteProfileStore::lookup(std::string_view section,
                                                                     std::string_view name) {
    const auto place = placeForRead(section);
    if (!place || !NameFits(name, kMaxValueName)) return std::nullopt;
    std::lock_guard lock(mutex_);
    sqlite3_stmt* stmt = statement(kGetValue);
    if (!stmt) return std::nullopt;
    Reset reset(stmt);
    sqlite3_bind_int(stmt, 1, place->space);
    BindText(stmt, 2, place->name);
    BindText(stmt, 3, name);
    if (step(stmt) != SQLITE_ROW) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, 1));
    const int size = sqlite3_column_bytes(stmt, 1);
    return Stored{sqlite3_column_int(stmt, 0), std::vector<uint8_t>(bytes, bytes + size)};
}

std::optional<int64_t> SqliteProfileStore::findSection(const Place& place) {
    sqlite3_stmt* stmt = statement(kFindSection);
    if (!stmt) return std::nullopt;
    Reset reset(stmt);
    sqlite3_bind_int(stmt, 1, place.space);
    BindText(stmt, 2, place.name);
    if (step(stmt) != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(stmt, 0);
}

int64_t SqliteProfileStore::createSection(const Place& place) {
    sqlite3_stmt* stmt = statement(kInsertSection);
    if (!stmt) return 0;
    Reset reset(stmt);
    sqlite3_bind_int(stmt, 1, place.space);
    BindText(stmt, 2, place.name);
    return step(stmt) == SQLITE_DONE ? sqlite3_last_insert_rowid(db_) : 0;
}

bool SqliteProfileStore::storeValue(int64_t sectionId, std::string_view name, int kind,
                                    const void* data, size_t bytes) {
    sqlite3_stmt* stmt = statement(kUpsertValue);
    if (!stmt) return false;
    Reset reset(stmt);
    sqlite3_bind_int64(stmt, 1, sectionId);
    BindText(stmt, 2, name);
    sqlite3_bind_int(stmt, 3, kind);
    if (kind == kKindString) {
        sqlite3_bind_text(stmt, 4, static_cast<const char*>(data), static_cast<int>(bytes),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_blob(stmt, 4, bytes ? data : "", static_cast<int>(bytes), SQLITE_TRANSIENT);
    }
    return step(stmt) == SQLITE_DONE;
}

bool SqliteProfileStore::deleteValue(int64_t sectionId, std::string_view name) {
    sqlite3_stmt* stmt = statement(kDeleteValue);
    if (!stmt) return false;
    Reset reset(stmt);
    sqlite3_bind_int64(stmt, 1, sectionId);
    BindText(stmt, 2, name);
    return step(stmt) == SQLITE_DONE && sqlite3_changes(db_) > 0;
}

bool SqliteProfileStore::removeSection(const Place& place) {
    Transaction txn(*this);
    bool removed = true;
    if (const auto id = findSection(place)) {
        for (int which : {kDeleteSectionValues, kDeleteSectionRow}) {
            sqlite3_stmt* stmt = statement(which);
            if (!stmt) {
                removed = false;
                break;
            }
            Reset reset(stmt);
            sqlite3_bind_int64(stmt, 1, *id);
            removed = step(stmt) == SQLITE_DONE && removed;
        }
    }
    return txn.Commit() && removed;
}

int32_t SqliteProfileStore::ReadInt(std::string_view section, std::string_view name,
                                    int32_t defaultValue) {
    const auto stored = lookup(section, name);
    if (!stored) return defaultValue;
    const std::vector<uint8_t> bytes =
        stored->kind == kKindString
            ? RegistryStringImage(std::string_view(
                  reinterpret_cast<const char*>(stored->bytes.data()), stored->bytes.size()))
            : stored->bytes;
    if (bytes.size() > 4) return defaultValue;
    auto result = static_cast<uint32_t>(defaultValue);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint32_t shift = static_cast<uint32_t>(i) * 8;
        result = (result & ~(0xFFu << shift)) | (static_cast<uint32_t>(bytes[i]) << shift);
    }
    return static_cast<int32_t>(result);
}

ProfileValueKind SqliteProfileStore::QueryValue(std::string_view section, std::string_view name,
                                                std::vector<uint8_t>& data, uint32_t& byteCount) {
    const uint32_t capacity = byteCount;
    byteCount = 0;
    auto stored = lookup(section, name);
    if (!stored) return kKindNone;
    const uint32_t size =
        stored->kind == kKindString
            ? RegistryStringBytes(std::string_view(
                  reinterpret_cast<const char*>(stored->bytes.data()), stored->bytes.size()))
            : static_cast<uint32_t>(stored->bytes.size());
    if (size > capacity) return kKindNone;
    byteCount = size;
    data = std::move(stored->bytes);
    const int kind = stored->kind;
    return kind == kKindString || kind == kKindInteger || kind == kKindBinary
               ? static_cast<ProfileValueKind>(kind)
               : kKindNone;
}

bool SqliteProfileStore::WriteValue(std::string_view section, const std::string* name,
                                    const void* data, int kind, uint32_t byteCount) {
    const auto place = placeForWrite(section);
    if (!place) return false;
    if (!name) {
        // The registry's result for a deleted section is 0 whatever happened.
        static_cast<void>(removeSection(*place));
        return false;
    }
    if (!NameFits(*name, kMaxValueName)) return false;
    // Committed even when this write failed (a value to delete that is not there): that must
    // not discard what an enclosing transaction wrote before it.
    Transaction txn(*this);
    const bool written = writeInSection(*place, *name, data, kind, byteCount);
    return txn.Commit() && written;
}

bool SqliteProfileStore::writeInSection(const Place& place, const std::string& name,
                                        const void* data, int kind, uint32_t byteCount) {
    // The section is created before the data and kind are looked at: deleting a value, or a
    // kind that writes nothing, still leaves the section behind.
    const auto existing = findSection(place);
    const int64_t sectionId = existing ? *existing : createSection(place);
    if (sectionId == 0) return false;
    if (!data) return existing ? deleteValue(sectionId, name) : true;
    switch (kind) {
        case kKindString: {
            const auto* text = static_cast<const char*>(data);
            return storeValue(sectionId, name, kKindString, text, std::strlen(text));
        }
        case kKindInteger: {
            int32_t value;
            std::memcpy(&value, data, sizeof value);
            const auto bytes = LittleEndian(static_cast<uint32_t>(value));
            return storeValue(sectionId, name, kKindInteger, bytes.data(), bytes.size());
        }
        case kKindBinary:
            return storeValue(sectionId, name, kKindBinary, data, byteCount);
        case kKindBinaryFixed:
            return storeValue(sectionId, name, kKindBinary, data, 16);
        default:
            return false;
    }
}

int SqliteProfileStore::DeleteSection(std::string_view section) {
    WriteValue(section, nullptr, nullptr, kKindNone, 0);
    return 0;
}

std::vector<std::string> SqliteProfileStore::SectionNames() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    sqlite3_stmt* stmt = statement(kListSections);
    if (!stmt) return names;
    Reset reset(stmt);
    while (step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        std::string name(text ? text : "", sqlite3_column_bytes(stmt, 1));
        names.push_back(sqlite3_column_int(stmt, 0) == kBesideSpace ? "-" + name : name);
    }
    return names;
}

std::vector<std::string> SqliteProfileStore::ValueNames(std::string_view section) {
    std::vector<std::string> names;
    const auto place = placeForRead(section);
    if (!place) return names;
    std::lock_guard lock(mutex_);
    sqlite3_stmt* stmt = statement(kListValues);
    if (!stmt) return names;
    Reset reset(stmt);
    sqlite3_bind_int(stmt, 1, place->space);
    BindText(stmt, 2, place->name);
    while (step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        names.emplace_back(text ? text : "", sqlite3_column_bytes(stmt, 0));
    }
    return names;
}

}  // namespace tinsori
