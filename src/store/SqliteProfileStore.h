#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ProfileStore.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tinsori {

// The profile store over one SQLite connection whose schema is ready (see SqliteStoreFile).
// Sections live in two namespaces: the application's own, and the one beside it that "-" names
// select. Names compare case-insensitively for ASCII letters (SQLite's NOCASE); other characters
// compare exactly. Strings are kept as UTF-8 text, other kinds as their raw bytes.
class SqliteProfileStore final : public ProfileStore {
public:
    static constexpr int kSchemaVersion = 1;
    // Registry key and value name limits, in UTF-16 units.
    static constexpr size_t kMaxSectionName = 255;
    static constexpr size_t kMaxValueName = 16383;

    // Takes ownership of `db`.
    explicit SqliteProfileStore(sqlite3* db);
    ~SqliteProfileStore() override;
    SqliteProfileStore(const SqliteProfileStore&) = delete;
    SqliteProfileStore& operator=(const SqliteProfileStore&) = delete;

    int32_t ReadInt(std::string_view section, std::string_view name, int32_t defaultValue) override;
    // Strings come back as their UTF-8 text (no terminator); `byteCount` still reports and is
    // checked against the registry's size of the string.
    ProfileValueKind QueryValue(std::string_view section, std::string_view name,
                                std::vector<uint8_t>& data, uint32_t& byteCount) override;
    // Kind 1 takes a NUL-terminated UTF-8 text, kind 2 a 32-bit integer, kind 3 `byteCount`
    // bytes, kind 33 16 bytes.
    bool WriteValue(std::string_view section, const std::string* name, const void* data, int kind,
                    uint32_t byteCount) override;
    int DeleteSection(std::string_view section) override;

    // Application sections by name, the sections beside them as "-" and their name.
    std::vector<std::string> SectionNames() override;
    std::vector<std::string> ValueNames(std::string_view section) override;

    // How often a busy database made a call wait and try again (for measurements).
    uint64_t busyRetries() const { return busyRetries_; }
    // How many statements failed outright (busy beyond every retry, I/O errors...).
    uint64_t failures() const { return failures_; }

protected:
    void beginTransaction() override;
    bool endTransaction(bool rollback) override;

private:
    struct Stored {
        int kind;
        std::vector<uint8_t> bytes;
    };
    struct Place {
        int space;
        std::string name;
    };

    std::optional<Place> placeForRead(std::string_view section) const;
    std::optional<Place> placeForWrite(std::string_view section) const;
    std::optional<Stored> lookup(std::string_view section, std::string_view name);
    std::optional<int64_t> findSection(const Place& place);
    int64_t createSection(const Place& place);
    bool storeValue(int64_t sectionId, std::string_view name, int kind, const void* data,
                    size_t bytes);
    bool deleteValue(int64_t sectionId, std::string_view name);
    bool removeSection(const Place& place);
    bool writeInSection(const Place& place, const std::string& name, const void* data, int kind,
                        uint32_t byteCount);

    sqlite3_stmt* statement(int which);
    int step(sqlite3_stmt* stmt);
    bool exec(const char* sql);

    sqlite3* db_;
    std::vector<sqlite3_stmt*> statements_;
    std::recursive_mutex mutex_;
    int depth_ = 0;
    bool began_ = false;
    bool rollbackAsked_ = false;
    uint64_t busyRetries_ = 0;
    uint64_t failures_ = 0;
};

}  // namespace tinsori
