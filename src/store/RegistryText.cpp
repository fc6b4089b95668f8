#include "store/RegistryText.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>

#include "platform/AsciiCase.h"
#include "store/RegistryTextParser.h"
#include "store/SqliteProfileStore.h"
#include "store/Utf16Text.h"

namespace tinsori {

namespace {

// Bytes per line of a hex list, as the registry editor wraps them.
constexpr size_t kHexPerLine = 25;

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string KeyPath(const std::string& section) {
    if (section.rfind('-', 0) == 0) {
        const std::string rest = section.substr(1);
        return std::string(RegistryTextParser::kVendorKey) + (rest.empty() ? "" : "\\" + rest);
    }
    return std::string(RegistryTextParser::kApplicationKey) +
           (section.empty() ? "" : "\\" + section);
}

std::string HexList(const std::string& prefix, const std::vector<uint8_t>& bytes) {
    std::string out = prefix;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
        out += hex;
        if (i + 1 < bytes.size()) out += (i + 1) % kHexPerLine == 0 ? ",\\\n  " : ",";
    }
    return out;
}

bool HasControlCharacters(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 32; });
}

std::string ValueData(int kind, const std::vector<uint8_t>& data) {
    if (kind == kKindString) {
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        if (!HasControlCharacters(text)) return "\"" + Escaped(text) + "\"";
        std::vector<uint8_t> image;
        for (char16_t unit : Utf8ToUtf16(text)) {
            image.push_back(static_cast<uint8_t>(unit));
            image.push_back(static_cast<uint8_t>(unit >> 8));
        }
        image.insert(image.end(), {0, 0});
        return HexList("hex(1):", image);
    }
    if (kind == kKindInteger && data.size() == 4) {
        char dword[16];
        std::snprintf(
            dword, sizeof dword, "dword:%08x",
            data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<unsigned>(data[3]) << 24));
        return dword;
    }
    return HexList("hex:", data);
}

bool SectionExists(ProfileStore& store, const std::string& name) {
    const bool beside = name.rfind('-', 0) == 0;
    for (const std::string& existing : store.SectionNames()) {
        if ((existing.rfind('-', 0) == 0) == beside && EqualsIgnoringCase(existing, name)) {
            return true;
        }
    }
    return false;
}

bool WriteOne(ProfileStore& store, const std::string& section, const RegistryTextValue& value) {
    if (value.remove) {
        store.WriteString(section, value.name, nullptr);
        return true;
    }
    if (value.kind == kKindString) return store.WriteString(section, value.name, &value.text);
    if (value.kind == kKindInteger)
        return store.WriteInt(section, value.name, static_cast<int32_t>(value.number));
    // Empty binary still needs a non-null pointer: null data would delete the value.
    static constexpr uint8_t kNoBytes = 0;
    const uint8_t* bytes = value.bytes.empty() ? &kNoBytes : value.bytes.data();
    return store.WriteValue(section, &value.name, bytes, kKindBinary,
                            static_cast<uint32_t>(value.bytes.size()));
}

// The line of the first write that failed, or 0.
size_t Apply(ProfileStore& store, const RegistryTextSection& section) {
    if (section.remove) {
        store.DeleteSection(section.name);
        return 0;
    }
    if (section.values.empty() && !SectionExists(store, section.name)) {
        const std::string anyName;
        if (!store.WriteValue(section.name, &anyName, nullptr, kKindString, 0))  // just the section
            return section.line;
    }
    for (const RegistryTextValue& value : section.values)
        if (!WriteOne(store, section.name, value)) return value.line;
    return 0;
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\n\r\0", 3)) != std::string_view::npos;
}

// Why a section cannot be written so that an import gives it back, or nothing.
const char* SectionRefusal(const std::string& section) {
    const std::string_view plain = std::string_view(section).substr(section.rfind('-', 0) == 0);
    if (HasControlCharacters(plain)) return "its name holds a control character";
    if (!plain.empty() && (plain.front() == '*' || plain.front() == '@'))
        return "its name cannot be imported";
    if (Utf16Units(plain) > SqliteProfileStore::kMaxSectionName) return "its name is too long";
    return nullptr;
}

const char* ValueRefusal(const std::string& name, ProfileValueKind kind,
                         const std::vector<uint8_t>& data) {
    if (HasLineBreakOrNul(name)) return "its name holds a line break or NUL";
    if (kind == kKindNone) return "its kind is not one the profile keeps";
    if (kind == kKindString && std::find(data.begin(), data.end(), uint8_t{0}) != data.end())
        return "the text holds a NUL";
    return nullptr;
}

void ExportSection(ProfileStore& store, const std::string& section, std::ostream& out,
                   std::vector<std::string>* leftOut) {
    out << "\n[" << KeyPath(section) << "]\n";
    for (const std::string& name : store.ValueNames(section)) {
        std::vector<uint8_t> data;
        uint32_t size = std::numeric_limits<uint32_t>::max();
        const ProfileValueKind kind = store.QueryValue(section, name, data, size);
        if (const char* why = ValueRefusal(name, kind, data)) {
            if (leftOut) leftOut->push_back("value \"" + name + "\" of [" + section + "]: " + why);
            continue;
        }
        out << (name.empty() ? "@" : "\"" + Escaped(name) + "\"") << "=" << ValueData(kind, data)
            << "\n";
    }
}

}  // namespace

bool ExportProfile(ProfileStore& store, std::ostream& out, std::vector<std::string>* leftOut) {
    out << RegistryTextParser::kHeader << "\n";
    for (const std::string& section : store.SectionNames()) {
        if (const char* why = SectionRefusal(section)) {
            if (leftOut) leftOut->push_back("section [" + section + "]: " + why);
            continue;
        }
        ExportSection(store, section, out, leftOut);
    }
    out.flush();
    return static_cast<bool>(out);
}

bool ApplyRegistryText(ProfileStore& store, const std::vector<RegistryTextSection>& sections,
                       std::string* error) {
    ProfileStore::Transaction txn(store);
    for (const RegistryTextSection& section : sections) {
        if (const size_t line = Apply(store, section)) {
            txn.Rollback();
            if (error) *error = "line " + std::to_string(line) + ": the profile refused the value";
            return false;
        }
    }
    if (!txn.Commit()) {
        if (error) *error = "the profile could not be written (is the disk full or read-only?)";
        return false;
    }
    return true;
}

bool ImportProfile(ProfileStore& store, std::istream& in, std::string* error) {
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        if (error) *error = "the file could not be read";
        return false;
    }
    const auto sections = RegistryTextParser::Parse(file, error);
    return sections && ApplyRegistryText(store, *sections, error);
}

}  // namespace tinsori
