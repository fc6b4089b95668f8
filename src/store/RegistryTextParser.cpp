#include "store/RegistryTextParser.h"

#include <strings.h>

#include "store/SqliteProfileStore.h"
#include "store/Utf16Text.h"

namespace tinsori {

namespace {

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && strncasecmp(s.data(), prefix.data(), prefix.size()) == 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The file as UTF-8 text: a UTF-16LE file (with its byte-order mark) is converted, a UTF-8
// byte-order mark dropped.
std::optional<std::string> DecodeFile(std::string_view file) {
    if (file.size() >= 2 && static_cast<uint8_t>(file[0]) == 0xFF &&
        static_cast<uint8_t>(file[1]) == 0xFE) {
        if (file.size() % 2 != 0) return std::nullopt;
        std::u16string units;
        for (size_t i = 2; i < file.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<uint8_t>(file[i]) |
                                           (static_cast<uint8_t>(file[i + 1]) << 8));
        }
        return Utf16ToUtf8(units);
    }
    if (file.size() >= 3 && file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
    return std::string(file);
}

// Takes a quoted text off the front of `s` (which starts at the opening quote), undoing the
// \\ and \" escapes. Returns false when the quote is not closed or an escape is unknown.
bool TakeQuoted(std::string_view& s, std::string& out) {
    out.clear();
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (s[i] == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return false;
            ++i;
        }
        out += s[i];
    }
    return false;
}

bool ParseHexBytes(std::string_view list, std::vector<uint8_t>& out) {
    list = TrimRight(TrimLeft(list));
    if (list.empty()) return true;
    while (true) {
        const size_t comma = list.find(',');
        const std::string_view item = TrimRight(TrimLeft(list.substr(0, comma)));
        if (item.empty() || item.size() > 2) return false;
        int value = 0;
        for (char c : item) {
            if (HexDigit(c) < 0) return false;
            value = value * 16 + HexDigit(c);
        }
        out.push_back(static_cast<uint8_t>(value));
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

}  // namespace

std::optional<std::vector<RegistryTextSection>> RegistryTextParser::Parse(std::string_view file,
                                                                          std::string* error) {
    const auto text = DecodeFile(file);
    if (!text) {
        if (error) *error = "the file is not whole UTF-16 text";
        return std::nullopt;
    }
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        lines.emplace_back(TrimRight(std::string_view(*text).substr(start, end - start)));
        start = end + 1;
    }
    RegistryTextParser parser(error);
    if (!parser.parseLines(lines)) return std::nullopt;
    return std::move(parser.sections_);
}

bool RegistryTextParser::fail(const std::string& what) {
    if (error_) *error_ = "line " + std::to_string(lineNumber_) + ": " + what;
    return false;
}

bool RegistryTextParser::parseLines(const std::vector<std::string>& lines) {
    bool headerSeen = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        lineNumber_ = i + 1;
        std::string line = lines[i];
        // A hex list goes on over lines that end in a backslash.
        while (!line.empty() && line.back() == '\\' && line.front() != '[' &&
               i + 1 < lines.size()) {
            line.pop_back();
            line += TrimLeft(lines[++i]);
        }
        const std::string_view view = TrimLeft(line);
        if (view.empty() || view.front() == ';') continue;
        if (!headerSeen) {
            if (view != kHeader)
                return fail("not a registry editor file (expected \"" + std::string(kHeader) +
                            "\")");
            headerSeen = true;
        } else if (view.front() == '[') {
            if (!parseKey(view)) return false;
        } else if (!parseValue(view)) {
            return false;
        }
    }
    if (!headerSeen) return fail("the file is empty");
    return true;
}

bool RegistryTextParser::parseKey(std::string_view line) {
    if (line.back() != ']') return fail("a key without its closing bracket");
    std::string_view path = line.substr(1, line.size() - 2);
    RegistryTextSection section;
    section.remove = !path.empty() && path.front() == '-';
    if (section.remove) path.remove_prefix(1);
    const std::string applicationPrefix = std::string(kApplicationKey) + "\\";
    const std::string vendorPrefix = std::string(kVendorKey) + "\\";
    if (EqualsNoCase(path, kApplicationKey)) {
        section.name.clear();
    } else if (StartsWithNoCase(path, applicationPrefix)) {
        section.name = path.substr(applicationPrefix.size());
        if (section.name.empty() || section.name.front() == '*' || section.name.front() == '-' ||
            section.name.front() == '@') {
            return fail("the section \"" + section.name + "\" cannot be stored");
        }
    } else if (EqualsNoCase(path, kVendorKey)) {
        section.name = "-";
    } else if (StartsWithNoCase(path, vendorPrefix)) {
        section.name = "-" + std::string(path.substr(vendorPrefix.size()));
    } else {
        return fail("the key is not the program's own: " + std::string(path));
    }
    if (section.remove && (section.name.empty() || section.name == "-")) {
        return fail("removing the whole program key is not supported");
    }
    const std::string_view plain =
        std::string_view(section.name).substr(section.name.rfind('-', 0) == 0 ? 1 : 0);
    if (Utf16Units(plain) > SqliteProfileStore::kMaxSectionName) {
        return fail("the section name is too long");
    }
    if (plain.find('\0') != std::string_view::npos) return fail("the section name holds a NUL");
    section.line = lineNumber_;
    sections_.push_back(std::move(section));
    return true;
}

bool RegistryTextParser::parseValue(std::string_view line) {
    if (sections_.empty()) return fail("a value before any key");
    if (sections_.back().remove) return fail("a value under a key being removed");
    RegistryTextValue value;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else if (line.front() != '"' || !TakeQuoted(line, value.name)) {
        return fail("a value name must be quoted, with only \\\\ and \\\" escaped");
    }
    if (value.name.find('\0') != std::string::npos ||
        Utf16Units(value.name) > SqliteProfileStore::kMaxValueName) {
        return fail("the value name cannot be stored");
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=') return fail("expected = after the value name");
    if (!parseData(TrimLeft(line.substr(1)), value)) return false;
    value.line = lineNumber_;
    sections_.back().values.push_back(std::move(value));
    return true;
}

bool RegistryTextParser::parseData(std::string_view data, RegistryTextValue& value) {
    if (data == "-") {
        value.remove = true;
        return true;
    }
    if (!data.empty() && data.front() == '"') {
        if (!TakeQuoted(data, value.text) || !TrimLeft(data).empty()) {
            return fail("a text value must be quoted, with only \\\\ and \\\" escaped");
        }
        value.kind = 1;
        return true;
    }
    if (StartsWithNoCase(data, "dword:")) {
        const std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) return fail("a dword takes 1 to 8 hex digits");
        for (char c : digits) {
            if (HexDigit(c) < 0) return fail("a dword takes 1 to 8 hex digits");
            value.number = value.number * 16 + static_cast<uint32_t>(HexDigit(c));
        }
        value.kind = 2;
        return true;
    }
    int type = 3;
    if (StartsWithNoCase(data, "hex:")) {
        data.remove_prefix(4);
    } else if (StartsWithNoCase(data, "hex(") && data.find("):") != std::string_view::npos) {
        const size_t close = data.find("):");
        const std::string_view number = data.substr(4, close - 4);
        type = number.size() == 1 ? HexDigit(number[0]) : -1;
        data.remove_prefix(close + 2);
    } else {
        return fail("unknown value data: " + std::string(data));
    }
    if (!ParseHexBytes(data, value.bytes)) return fail("malformed hex bytes");
    switch (type) {
        case 1:  // a text as UTF-16LE bytes with its terminator
            if (value.bytes.size() % 2 != 0) return fail("odd byte count in a hex(1) text");
            {
                std::u16string units;
                for (size_t i = 0; i < value.bytes.size(); i += 2) {
                    units += static_cast<char16_t>(value.bytes[i] | (value.bytes[i + 1] << 8));
                }
                if (size_t end = units.find(u'\0'); end != std::u16string::npos) units.resize(end);
                value.text = Utf16ToUtf8(units);
            }
            value.kind = 1;
            return true;
        case 3:
            value.kind = 3;
            return true;
        case 4:
            if (value.bytes.size() != 4) return fail("a hex(4) dword takes 4 bytes");
            value.number = value.bytes[0] | (value.bytes[1] << 8) | (value.bytes[2] << 16) |
                           (static_cast<uint32_t>(value.bytes[3]) << 24);
            value.kind = 2;
            return true;
        default:
            return fail("a value kind the profile does not keep");
    }
}

}  // namespace tinsori
