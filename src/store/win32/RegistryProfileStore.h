#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ProfileStore.h"

namespace tinsori {

// The profile store in the Windows registry: sections are the subkeys of an application key
// below HKEY_CURRENT_USER\Software ("Quillfen\Tinsori" by default). Keys are opened for each
// call and closed before it returns; nothing is cached, so other running copies see every
// write at once. "-" sections lie beside the application key, "*" writes go to the same path
// under HKEY_LOCAL_MACHINE (refused without the rights), "@" reads HKEY_CLASSES_ROOT.
//
// The registry has no transactions: a transaction scope keeps what each write replaced and puts
// it back on rollback, and a named mutex keeps other copies' scopes from interleaving with it.
class RegistryProfileStore final : public ProfileStore {
public:
    // `key`: the application key's path below HKEY_CURRENT_USER\Software.
    explicit RegistryProfileStore(const std::string& key);
    ~RegistryProfileStore() override;
    RegistryProfileStore(const RegistryProfileStore&) = delete;
    RegistryProfileStore& operator=(const RegistryProfileStore&) = delete;

    int32_t ReadInt(std::string_view section, std::string_view name, int32_t defaultValue) override;
    // Strings come back as their UTF-8 text (no terminator); `byteCount` reports and is checked
    // against the registry's size of the string.
    ProfileValueKind QueryValue(std::string_view section, std::string_view name,
                                std::vector<uint8_t>& data, uint32_t& byteCount) override;
    bool WriteValue(std::string_view section, const std::string* name, const void* data, int kind,
                    uint32_t byteCount) override;
    int DeleteSection(std::string_view section) override;

    std::vector<std::string> SectionNames() override;
    std::vector<std::string> ValueNames(std::string_view section) override;

protected:
    void beginTransaction() override;
    bool endTransaction(bool rollback) override;

private:
    struct Place {
        HKEY root;
        std::wstring parent;   // the application key, or the one beside which "-" sections lie
        std::wstring section;  // below `parent`; empty for the parent itself
        std::wstring path() const { return section.empty() ? parent : parent + L"\\" + section; }
    };
    struct Raw {
        DWORD type = REG_NONE;
        std::vector<BYTE> bytes;
    };
    // What a write inside a transaction replaced: a value (absent when `raw` is empty), or a
    // section key the transaction created (`created`) or deleted.
    struct Undo {
        HKEY root;
        std::wstring path;
        std::optional<std::wstring> value;
        std::optional<Raw> raw;
        bool created = false;
    };

    std::optional<Place> placeForRead(std::string_view section) const;
    std::optional<Place> placeForWrite(std::string_view section) const;
    std::optional<Raw> readRaw(const Place& place, const std::wstring& name,
                               uint32_t capacity) const;
    bool writeInSection(const Place& place, const std::wstring& name, const void* data, int kind,
                        uint32_t byteCount);
    bool deleteSection(const Place& place);
    void remember(Undo undo);
    void rollBack();

    std::wstring application_;
    std::wstring vendor_;
    std::wstring machine_;
    std::recursive_mutex mutex_;
    HANDLE otherCopies_ = nullptr;
    int depth_ = 0;
    bool rollbackAsked_ = false;
    std::vector<Undo> undo_;
};

}  // namespace tinsori
