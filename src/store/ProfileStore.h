#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tinsori {

// Value kinds of the general read and write.
enum ProfileValueKind : int {
    kKindNone = 0,  // absent, unreadable, too large for the buffer, or another type
    kKindString = 1,
    kKindInteger = 2,
    kKindBinary = 3,
    kKindBinaryFixed = 33,  // write only: 16 bytes of binary; reads report kKindBinary
};

// Sections of named values kept between runs, in one SQLite file. Section and value names
// compare without regard to case and keep the case they were written with. Every operation
// returns normally; failures show only in the result. Strings are UTF-8; their stored size is
// reported as the registry would, (UTF-16 units + 1) x 2 bytes.
class ProfileStore {
public:
    // Opens the store file, creating it when missing. A file that is not a readable store is
    // renamed aside (never overwritten) and a fresh store started; `notice` then receives one
    // line telling the user where the old file went. Returns null only when no store at all
    // can be made at `path` (for example an unwritable folder); `error` says why.
    static std::unique_ptr<ProfileStore> Open(const std::string& path,
                                              std::string* notice = nullptr,
                                              std::string* error = nullptr);
    // A private in-memory copy of the file at `path` (empty when it does not exist): nothing is
    // ever written back and no file is created. Null, `error` saying why, when the file is there
    // but cannot be read as a store.
    static std::unique_ptr<ProfileStore> OpenInMemoryCopy(const std::string& path,
                                                          std::string* error = nullptr);
    // Whether `path` is, by its first bytes, a database of the kind the store keeps. An empty or
    // missing file is not.
    static bool LooksLikeStoreFile(const std::string& path);
    // `TINSORI_PROFILE` when set, else $XDG_CONFIG_HOME/tinsori/profile.db (~/.config when unset).
    static std::string DefaultPath();

    virtual ~ProfileStore() = default;

    // At most the low-order bytes of the stored value replace those of the default.
    virtual int32_t ReadInt(std::string_view section, std::string_view name,
                            int32_t defaultValue) = 0;
    // Leaves `buffer` exactly as it was when the value is absent or does not fit `bufferBytes`.
    // Another kind read as a string gives the empty text, never bytes that would pass for text.
    virtual ProfileValueKind ReadString(std::string_view section, std::string_view name,
                                        std::string& buffer, uint32_t bufferBytes);
    // The general read: `byteCount` is the capacity in, the stored size out (0 on failure).
    virtual ProfileValueKind QueryValue(std::string_view section, std::string_view name,
                                        std::vector<uint8_t>& data, uint32_t& byteCount) = 0;
    // Both through WriteValue: kind 2, and kind 1 (a null text deletes the value).
    virtual bool WriteInt(std::string_view section, std::string_view name, int32_t value);
    virtual bool WriteString(std::string_view section, std::string_view name,
                             const std::string* text);
    // The general write; a null name deletes the section, null data deletes the value.
    virtual bool WriteValue(std::string_view section, const std::string* name, const void* data,
                            int kind, uint32_t byteCount) = 0;
    // Always 0.
    virtual int DeleteSection(std::string_view section) = 0;

    // Every section name, and every value of one section, as stored (for export).
    virtual std::vector<std::string> SectionNames() = 0;
    virtual std::vector<std::string> ValueNames(std::string_view section) = 0;

    // Read-modify-write sequences that other running copies could interleave run inside one
    // transaction (BEGIN IMMEDIATE ... COMMIT). Scopes nest; only the outermost commits, and a
    // rollback asked for by any scope discards the whole outermost transaction. A scope is ended
    // by Commit, whose result must be looked at; one left without it (an early return) rolls
    // back, so that a write is never kept, or lost, without anyone knowing.
    class Transaction {
    public:
        explicit Transaction(ProfileStore& store) : store_(store) { store_.beginTransaction(); }
        ~Transaction() {
            if (!ended_) store_.endTransaction(true);
        }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        // Ends the scope now. For the outermost scope, true only when everything reached the
        // file: a COMMIT that fails (a full disk) or a transaction already rolled back is false.
        [[nodiscard]] bool Commit() {
            ended_ = true;
            return store_.endTransaction(false);
        }
        // Ends the scope and discards what the outermost transaction wrote.
        void Rollback() {
            ended_ = true;
            store_.endTransaction(true);
        }

    private:
        ProfileStore& store_;
        bool ended_ = false;
    };

protected:
    virtual void beginTransaction() = 0;
    // Returns whether the outermost transaction committed (true for an inner scope).
    virtual bool endTransaction(bool rollback) = 0;
};

}  // namespace tinsori
