#include "store/ProfileStore.h"

namespace tinsori {

// What every backend does alike, through its general read and write.

ProfileValueKind ProfileStore::ReadString(std::string_view section, std::string_view name,
                                          std::string& buffer, uint32_t bufferBytes) {
    std::vector<uint8_t> data;
    uint32_t byteCount = bufferBytes;
    const ProfileValueKind kind = QueryValue(section, name, data, byteCount);
    if (byteCount == 0 && kind == kKindNone) return kKindNone;
    buffer = kind == kKindString ? std::string(data.begin(), data.end()) : std::string();
    return kind;
}

bool ProfileStore::WriteInt(std::string_view section, std::string_view name, int32_t value) {
    const std::string valueName(name);
    return WriteValue(section, &valueName, &value, kKindInteger, 4);
}

bool ProfileStore::WriteString(std::string_view section, std::string_view name,
                               const std::string* text) {
    const std::string valueName(name);
    return WriteValue(section, &valueName, text ? text->c_str() : nullptr, kKindString, 0);
}

}  // namespace tinsori
