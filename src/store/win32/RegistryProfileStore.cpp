#include "store/win32/RegistryProfileStore.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/WideText.h"
#include "store/Utf16Text.h"

namespace tinsori {

namespace {

// Registry key and value name limits, in UTF-16 units.
constexpr size_t kMaxSectionName = 255;
constexpr size_t kMaxValueName = 16383;
// An "@" section names at most this much of a path under HKEY_CLASSES_ROOT.
constexpr size_t kMaxClassPath = 255;
// Another copy holding the profile longer than this has hung; go on rather than hang with it.
constexpr DWORD kLockPatienceMs = 10000;

bool NameFits(std::string_view name, size_t maxUnits) {
    return name.find('\0') == std::string_view::npos && Utf16Units(name) <= maxUnits;
}

std::wstring Wide(std::string_view utf8) {
    return Widen(std::string(utf8));
}

// Closes a key when the call using it ends.
class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool OpenKey(HKEY root, const std::wstring& path, REGSAM access, Key& key) {
    return RegOpenKeyExW(root, path.c_str(), 0, access, key.out()) == ERROR_SUCCESS;
}

// Opens `path` for writing, creating it (and the keys above it) when missing; `created` tells.
bool OpenOrCreate(HKEY root, const std::wstring& path, Key& key, bool& created) {
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_CREATE_SUB_KEY | KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                                    key.out(), &disposition);
    created = disposition == REG_CREATED_NEW_KEY;
    return rc == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    Key key;
    return OpenKey(root, path, KEY_QUERY_VALUE, key);
}

std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> names;
    Key key;
    if (!OpenKey(root, path, KEY_ENUMERATE_SUB_KEYS, key)) return names;
    wchar_t name[kMaxSectionName + 1];
    for (DWORD i = 0;; ++i) {
        DWORD length = kMaxSectionName + 1;
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::wstring> ValueNamesOf(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> names;
    Key key;
    if (!OpenKey(root, path, KEY_QUERY_VALUE, key)) return names;
    std::vector<wchar_t> name(kMaxValueName + 1);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueW(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The bytes and type of a kind's write: REG_SZ as UTF-16 with its terminator.
bool Image(const void* data, int kind, uint32_t byteCount, DWORD& type, std::vector<BYTE>& bytes) {
    const auto* from = static_cast<const BYTE*>(data);
    switch (kind) {
        case kKindString: {
            const std::wstring text = Widen(static_cast<const char*>(data));
            const auto* units = reinterpret_cast<const BYTE*>(text.c_str());
            bytes.assign(units, units + (text.size() + 1) * sizeof(wchar_t));
            type = REG_SZ;
            return true;
        }
        case kKindInteger:
            bytes.assign(from, from + 4);
            type = REG_DWORD;
            return true;
        case kKindBinary:
        case kKindBinaryFixed:
            bytes.assign(from, from + (kind == kKindBinary ? byteCount : 16));
            type = REG_BINARY;
            return true;
        default:
            return false;
    }
}

std::string TextOf(const std::vector<BYTE>& bytes) {
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return Narrow(text);
}

ProfileValueKind KindOf(DWORD type) {
    switch (type) {
        case REG_SZ:
            return kKindString;
        case REG_DWORD:
            return kKindInteger;
        case REG_BINARY:
            return kKindBinary;
        default:
            return kKindNone;
    }
}

std::wstring MutexName(const std::wstring& key) {
    std::wstring name = L"Local\\Tinsori profile " + key;
    std::replace(name.begin() + 6, name.end(), L'\\', L'/');
    return name;
}

}  // namespace

RegistryProfileStore::RegistryProfileStore(const std::string& key)
    : application_(L"Software\\" + Widen(key)),
      machine_(L"SOFTWARE\\" + Widen(key)),
      otherCopies_(CreateMutexW(nullptr, FALSE, MutexName(Widen(key)).c_str())) {
    const size_t slash = application_.rfind(L'\\');
    vendor_ = application_.substr(0, slash);
}

RegistryProfileStore::~RegistryProfileStore() {
    if (otherCopies_) CloseHandle(otherCopies_);
}

std::optional<RegistryProfileStore::Place> RegistryProfileStore::placeForRead(
    std::string_view section) const {
    if (!section.empty() && section.front() == '@') {
        std::wstring path = Wide(section.substr(1));
        if (path.size() > kMaxClassPath) path.resize(kMaxClassPath);
        return Place{HKEY_CLASSES_ROOT, path, L""};
    }
    if (!NameFits(section, kMaxSectionName + 1)) return std::nullopt;
    if (!section.empty() && section.front() == '-')
        return Place{HKEY_CURRENT_USER, vendor_, Wide(section.substr(1))};
    if (!NameFits(section, kMaxSectionName)) return std::nullopt;
    return Place{HKEY_CURRENT_USER, application_, Wide(section)};
}

std::optional<RegistryProfileStore::Place> RegistryProfileStore::placeForWrite(
    std::string_view section) const {
    if (!NameFits(section, kMaxSectionName + 1)) return std::nullopt;
    if (!section.empty() && section.front() == '-')
        return Place{HKEY_CURRENT_USER, vendor_, Wide(section.substr(1))};
    if (!section.empty() && section.front() == '*')
        return Place{HKEY_LOCAL_MACHINE, machine_, Wide(section.substr(1))};
    if (!NameFits(section, kMaxSectionName)) return std::nullopt;
    return Place{HKEY_CURRENT_USER, application_, Wide(section)};
}

std::optional<RegistryProfileStore::Raw> RegistryProfileStore::readRaw(const Place& place,
                                                                       const std::wstring& name,
                                                                       uint32_t capacity) const {
    Key key;
    if (!OpenKey(place.root, place.path(), KEY_QUERY_VALUE, key)) return std::nullopt;
    Raw raw;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &raw.type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size > capacity)
        return std::nullopt;
    raw.bytes.resize(size);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &raw.type, raw.bytes.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    raw.bytes.resize(size);
    return raw;
}

int32_t RegistryProfileStore::ReadInt(std::string_view section, std::string_view name,
                                      int32_t defaultValue) {
    const auto place = placeForRead(section);
    if (!place || !NameFits(name, kMaxValueName)) return defaultValue;
    const auto raw = readRaw(*place, Wide(name), 4);
    if (!raw) return defaultValue;
    int32_t result = defaultValue;
    std::memcpy(&result, raw->bytes.data(), raw->bytes.size());
    return result;
}

ProfileValueKind RegistryProfileStore::QueryValue(std::string_view section, std::string_view name,
                                                  std::vector<uint8_t>& data, uint32_t& byteCount) {
    const uint32_t capacity = byteCount;
    byteCount = 0;
    const auto place = placeForRead(section);
    if (!place || !NameFits(name, kMaxValueName)) return kKindNone;
    auto raw = readRaw(*place, Wide(name), capacity);
    if (!raw) return kKindNone;
    byteCount = static_cast<uint32_t>(raw->bytes.size());
    const ProfileValueKind kind = KindOf(raw->type);
    if (kind == kKindString) {
        const std::string text = TextOf(raw->bytes);
        data.assign(text.begin(), text.end());
    } else {
        data.assign(raw->bytes.begin(), raw->bytes.end());
    }
    return kind;
}

bool RegistryProfileStore::WriteValue(std::string_view section, const std::string* name,
                                      const void* data, int kind, uint32_t byteCount) {
    const auto place = placeForWrite(section);
    if (!place) return false;
    std::lock_guard lock(mutex_);
    if (!name) {
        // The registry's result for a deleted section is 0 whatever happened.
        static_cast<void>(deleteSection(*place));
        return false;
    }
    if (!NameFits(*name, kMaxValueName)) return false;
    return writeInSection(*place, Wide(*name), data, kind, byteCount);
}

bool RegistryProfileStore::writeInSection(const Place& place, const std::wstring& name,
                                          const void* data, int kind, uint32_t byteCount) {
    // The keys are created before the data and kind are looked at: deleting a value, or a kind
    // that writes nothing, still leaves the section behind.
    Key parent;
    bool parentCreated = false;
    if (!OpenOrCreate(place.root, place.parent, parent, parentCreated)) return false;
    if (parentCreated) remember({place.root, place.parent, std::nullopt, std::nullopt, true});
    Key section;
    bool created = false;
    if (!OpenOrCreate(parent.get(), place.section, section, created)) return false;
    if (created) remember({place.root, place.path(), std::nullopt, std::nullopt, true});
    const auto before = readRaw(place, name, UINT32_MAX);
    if (!data) {
        if (created) return true;
        if (RegDeleteValueW(section.get(), name.c_str()) != ERROR_SUCCESS) return false;
        remember({place.root, place.path(), name, before, false});
        return true;
    }
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    if (!Image(data, kind, byteCount, type, bytes)) return false;
    if (RegSetValueExW(section.get(), name.c_str(), 0, type, bytes.data(),
                       static_cast<DWORD>(bytes.size())) != ERROR_SUCCESS)
        return false;
    remember({place.root, place.path(), name, before, false});
    return true;
}

bool RegistryProfileStore::deleteSection(const Place& place) {
    // Never the application key itself, nor what lies beside it.
    if (place.section.empty()) return false;
    const std::wstring path = place.path();
    if (!KeyExists(place.root, path)) return true;
    for (const std::wstring& name : ValueNamesOf(place.root, path))
        remember({place.root, path, name, readRaw(place, name, UINT32_MAX), false});
    Key parent;
    if (!OpenKey(place.root, place.parent, KEY_WRITE, parent) ||
        RegDeleteKeyW(parent.get(), place.section.c_str()) != ERROR_SUCCESS)
        return false;
    // Undone before the values above: the key comes back first, then its values.
    remember({place.root, path, std::nullopt, Raw{}, false});
    return true;
}

int RegistryProfileStore::DeleteSection(std::string_view section) {
    WriteValue(section, nullptr, nullptr, kKindNone, 0);
    return 0;
}

std::vector<std::string> RegistryProfileStore::SectionNames() {
    std::vector<std::string> names;
    if (!ValueNamesOf(HKEY_CURRENT_USER, application_).empty()) names.emplace_back();
    for (const std::wstring& name : SubkeyNames(HKEY_CURRENT_USER, application_))
        names.push_back(Narrow(name));
    const std::wstring own = application_.substr(vendor_.size() + 1);
    for (const std::wstring& name : SubkeyNames(HKEY_CURRENT_USER, vendor_))
        if (!SameName(name, own)) names.push_back(Narrow(L"-" + name));
    return names;
}

std::vector<std::string> RegistryProfileStore::ValueNames(std::string_view section) {
    std::vector<std::string> names;
    const auto place = placeForRead(section);
    if (!place) return names;
    for (const std::wstring& name : ValueNamesOf(place->root, place->path()))
        names.push_back(Narrow(name));
    return names;
}

void RegistryProfileStore::remember(Undo undo) {
    if (depth_ > 0) undo_.push_back(std::move(undo));
}

void RegistryProfileStore::beginTransaction() {
    mutex_.lock();
    if (depth_++ == 0 && otherCopies_) WaitForSingleObject(otherCopies_, kLockPatienceMs);
}

bool RegistryProfileStore::endTransaction(bool rollback) {
    rollbackAsked_ = rollbackAsked_ || rollback;
    bool committed = true;
    if (--depth_ == 0) {
        if (rollbackAsked_) rollBack();
        committed = !rollbackAsked_;
        undo_.clear();
        rollbackAsked_ = false;
        if (otherCopies_) ReleaseMutex(otherCopies_);
    }
    mutex_.unlock();
    return committed;
}

void RegistryProfileStore::rollBack() {
    for (auto undo = undo_.rbegin(); undo != undo_.rend(); ++undo) {
        if (undo->created) {
            RegDeleteKeyW(undo->root, undo->path.c_str());
        } else if (!undo->value) {
            Key restored;
            bool created = false;
            OpenOrCreate(undo->root, undo->path, restored, created);
        } else if (undo->raw) {
            RegSetKeyValueW(undo->root, undo->path.c_str(), undo->value->c_str(), undo->raw->type,
                            undo->raw->bytes.data(), static_cast<DWORD>(undo->raw->bytes.size()));
        } else {
            RegDeleteKeyValueW(undo->root, undo->path.c_str(), undo->value->c_str());
        }
    }
}

}  // namespace tinsori
