#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ProfileStore.h"

namespace tinsori {

// A profile held in memory only, for runs that must never write the user's profile (renders,
// exports) where the store has no private copy of its own (the registry). Names compare
// without regard to ASCII case and keep the case first written, strings are kept as UTF-8 text
// and sized as the registry sizes them; "-" sections lie beside the application's, "*" writes
// and "@" reads find nothing.
class MemoryProfileStore final : public ProfileStore {
public:
    MemoryProfileStore() = default;
    // A copy of every section and value of `source` whose kind the store keeps.
    static std::unique_ptr<MemoryProfileStore> CopyOf(ProfileStore& source);

    int32_t ReadInt(std::string_view section, std::string_view name, int32_t defaultValue) override;
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
    struct Value {
        std::string name;
        int kind;
        std::vector<uint8_t> bytes;
    };
    struct Section {
        std::string name;  // with "-" in front for the sections beside the application's
        std::vector<Value> values;
    };

    Section* find(std::string_view section);
    Value* find(Section& section, std::string_view name);
    bool writeIn(Section& section, std::string_view name, int kind, const void* data, size_t bytes);

    std::recursive_mutex mutex_;
    std::vector<Section> sections_;
    std::vector<Section> saved_;  // as they were when the outermost transaction began
    int depth_ = 0;
    bool rollbackAsked_ = false;
};

}  // namespace tinsori
