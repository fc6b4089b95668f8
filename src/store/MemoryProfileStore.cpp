#include "store/MemoryProfileStore.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>

#include "platform/AsciiCase.h"
#include "store/Utf16Text.h"

namespace tinsori {

namespace {

constexpr size_t kMaxSectionName = 255;
constexpr size_t kMaxValueName = 16383;

bool NameFits(std::string_view name, size_t maxUnits) {
    return name.find('\0') == std::string_view::npos && Utf16Units(name) <= maxUnits;
}

// A section name as kept: "-" sections by their rest, "@" and "*" ones not at all.
bool SectionFits(std::string_view section, char refused) {
    if (!section.empty() && section.front() == refused) return false;
    const bool beside = !section.empty() && section.front() == '-';
    return NameFits(section.substr(beside ? 1 : 0), kMaxSectionName);
}

// The bytes the registry would hold for a string: UTF-16LE with its terminator.
std::vector<uint8_t> StringImage(const std::vector<uint8_t>& text) {
    std::vector<uint8_t> out;
    for (char16_t unit :
         Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()))) {
        out.push_back(static_cast<uint8_t>(unit));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
    out.insert(out.end(), {0, 0});
    return out;
}

}  // namespace

std::unique_ptr<MemoryProfileStore> MemoryProfileStore::CopyOf(ProfileStore& source) {
    auto copy = std::make_unique<MemoryProfileStore>();
    for (const std::string& section : source.SectionNames()) {
        copy->sections_.push_back({section, {}});
        for (const std::string& name : source.ValueNames(section)) {
            std::vector<uint8_t> data;
            uint32_t size = std::numeric_limits<uint32_t>::max();
            const ProfileValueKind kind = source.QueryValue(section, name, data, size);
            if (kind != kKindNone) copy->sections_.back().values.push_back({name, kind, data});
        }
    }
    return copy;
}

MemoryProfileStore::Section* MemoryProfileStore::find(std::string_view section) {
    for (Section& s : sections_)
        if (EqualsIgnoringCase(s.name, section)) return &s;
    return nullptr;
}

MemoryProfileStore::Value* MemoryProfileStore::find(Section& section, std::string_view name) {
    for (Value& v : section.values)
        if (EqualsIgnoringCase(v.name, name)) return &v;
    return nullptr;
}

int32_t MemoryProfileStore::ReadInt(std::string_view section, std::string_view name,
                                    int32_t defaultValue) {
    std::vector<uint8_t> data;
    uint32_t size = 4;
    const ProfileValueKind kind = QueryValue(section, name, data, size);
    if (size == 0) return defaultValue;
    const std::vector<uint8_t> bytes = kind == kKindString ? StringImage(data) : data;
    int32_t result = defaultValue;
    std::memcpy(&result, bytes.data(), std::min<size_t>(bytes.size(), 4));
    return result;
}

ProfileValueKind MemoryProfileStore::QueryValue(std::string_view section, std::string_view name,
                                                std::vector<uint8_t>& data, uint32_t& byteCount) {
    const uint32_t capacity = byteCount;
    byteCount = 0;
    if (!SectionFits(section, '@') || !NameFits(name, kMaxValueName)) return kKindNone;
    std::lock_guard lock(mutex_);
    Section* s = find(section);
    const Value* v = s ? find(*s, name) : nullptr;
    if (!v) return kKindNone;
    const std::string_view text(reinterpret_cast<const char*>(v->bytes.data()), v->bytes.size());
    const uint32_t size =
        v->kind == kKindString ? RegistryStringBytes(text) : static_cast<uint32_t>(v->bytes.size());
    if (size > capacity) return kKindNone;
    byteCount = size;
    data = v->bytes;
    return static_cast<ProfileValueKind>(v->kind);
}

bool MemoryProfileStore::WriteValue(std::string_view section, const std::string* name,
                                    const void* data, int kind, uint32_t byteCount) {
    if (!SectionFits(section, '*')) return false;
    std::lock_guard lock(mutex_);
    Section* s = find(section);
    if (!name) {
        if (s) sections_.erase(sections_.begin() + (s - sections_.data()));
        return false;
    }
    if (!NameFits(*name, kMaxValueName)) return false;
    // The section is created before the data and kind are looked at, as the registry does.
    const bool existed = s != nullptr;
    if (!s) s = &sections_.emplace_back(Section{std::string(section), {}});
    if (!data) {
        if (!existed) return true;
        Value* v = find(*s, *name);
        if (!v) return false;
        s->values.erase(s->values.begin() + (v - s->values.data()));
        return true;
    }
    switch (kind) {
        case kKindString:
            return writeIn(*s, *name, kind, data, std::strlen(static_cast<const char*>(data)));
        case kKindInteger:
            return writeIn(*s, *name, kind, data, 4);
        case kKindBinary:
            return writeIn(*s, *name, kind, data, byteCount);
        case kKindBinaryFixed:
            return writeIn(*s, *name, kKindBinary, data, 16);
        default:
            return false;
    }
}

bool MemoryProfileStore::writeIn(Section& section, std::string_view name, int kind,
                                 const void* data, size_t bytes) {
    const auto* from = static_cast<const uint8_t*>(data);
    Value* v = find(section, name);
    // Overwriting keeps the name as first written, as the registry does.
    if (!v) v = &section.values.emplace_back(Value{std::string(name), kind, {}});
    v->kind = kind;
    v->bytes.assign(from, from + bytes);
    return true;
}

int MemoryProfileStore::DeleteSection(std::string_view section) {
    WriteValue(section, nullptr, nullptr, kKindNone, 0);
    return 0;
}

// As the registry lists keys: by name without regard to case, the application's sections before
// those beside them.
std::vector<std::string> MemoryProfileStore::SectionNames() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    std::ranges::transform(sections_, std::back_inserter(names), &Section::name);
    const auto beside = [](const std::string& name) {
        return !name.empty() && name.front() == '-';
    };
    std::ranges::sort(names, [&beside](const std::string& a, const std::string& b) {
        if (beside(a) != beside(b)) return beside(b);
        return LessIgnoringCase(a, b);
    });
    return names;
}

std::vector<std::string> MemoryProfileStore::ValueNames(std::string_view section) {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    if (Section* s = find(section))
        std::ranges::transform(s->values, std::back_inserter(names), &Value::name);
    return names;
}

void MemoryProfileStore::beginTransaction() {
    mutex_.lock();
    if (depth_++ == 0) saved_ = sections_;
}

bool MemoryProfileStore::endTransaction(bool rollback) {
    rollbackAsked_ = rollbackAsked_ || rollback;
    bool committed = true;
    if (--depth_ == 0) {
        if (rollbackAsked_) sections_ = std::move(saved_);
        committed = !rollbackAsked_;
        saved_.clear();
        rollbackAsked_ = false;
    }
    mutex_.unlock();
    return committed;
}

}  // namespace tinsori
