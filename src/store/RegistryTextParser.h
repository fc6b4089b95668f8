#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tinsori {

// One value line of a registry editor file.
struct RegistryTextValue {
    std::string name;
    bool remove = false;         // "Name"=-
    int kind = 0;                // 1 string, 2 integer, 3 binary
    std::string text;            // kind 1
    uint32_t number = 0;         // kind 2
    std::vector<uint8_t> bytes;  // kind 3
    size_t line = 0;             // where it stands in the file, for messages
};

// One bracketed key: a section of the store (in the form the store's calls take, "-" prefixed
// for a section beside the application's), to be filled or removed.
struct RegistryTextSection {
    std::string name;
    bool remove = false;  // [-...]
    std::vector<RegistryTextValue> values;
    size_t line = 0;
};

// Reads the registry editor's text format ("Windows Registry Editor Version 5.00"), UTF-8 with
// or without a byte-order mark, or UTF-16LE with one. Every line is checked before anything is
// returned, so a malformed file yields nothing but the error.
class RegistryTextParser {
public:
    static constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
    static constexpr std::string_view kApplicationKey =
        "HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori";
    static constexpr std::string_view kVendorKey = "HKEY_CURRENT_USER\\Software\\Quillfen";

    static std::optional<std::vector<RegistryTextSection>> Parse(std::string_view file,
                                                                 std::string* error);

private:
    explicit RegistryTextParser(std::string* error) : error_(error) {}

    bool parseLines(const std::vector<std::string>& lines);
    bool parseKey(std::string_view line);
    bool parseValue(std::string_view line);
    bool parseData(std::string_view data, RegistryTextValue& value);
    bool fail(const std::string& what);

    std::string* error_;
    size_t lineNumber_ = 0;
    std::vector<RegistryTextSection> sections_;
};

}  // namespace tinsori
