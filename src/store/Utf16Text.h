#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tinsori {

// Conversions between the UTF-8 text used in code and the UTF-16 the registry sizes and the
// registry editor's files are expressed in. Bytes that are not valid UTF-8 count and convert as
// U+FFFD, one unit each, so a malformed text never breaks a size rule.
size_t Utf16Units(std::string_view utf8);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// The registry's size of a stored string: its UTF-16 units and the terminator, two bytes each.
inline uint32_t RegistryStringBytes(std::string_view utf8) {
    return static_cast<uint32_t>((Utf16Units(utf8) + 1) * 2);
}

}  // namespace tinsori
