#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "store/MemoryProfileStore.h"
#include "store/ProfileStore.h"
#include "store/ProfileStoreContract.h"

namespace tinsori {
namespace {

// A private key for one test below HKEY_CURRENT_USER\Software\TinsoriTests, with the "-"
// sections beside it, removed afterwards.
class PrivateKey {
public:
    PrivateKey() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        vendor_ = "TinsoriTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
                  info->test_suite_name() + "-" + info->name();
        for (char& c : vendor_)
            if (c == '/') c = '.';
        remove();
    }
    ~PrivateKey() { remove(); }
    PrivateKey(const PrivateKey&) = delete;
    PrivateKey& operator=(const PrivateKey&) = delete;

    std::string profile() const { return vendor_ + "\\Tinsori"; }
    std::wstring path(const std::string& below = "") const {
        const std::string whole = "Software\\" + vendor_ + (below.empty() ? "" : "\\" + below);
        return std::wstring(whole.begin(), whole.end());
    }

private:
    void remove() {
        RegDeleteTreeW(HKEY_CURRENT_USER, path().c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path().c_str());
    }
    std::string vendor_;
};

class RegistryBackend {
public:
    ProfileStore* open() {
        stores_.push_back(ProfileStore::Open(key_.profile()));
        return stores_.back().get();
    }

private:
    PrivateKey key_;
    std::vector<std::unique_ptr<ProfileStore>> stores_;
};

class MemoryBackend {
public:
    ProfileStore* open() { return &store_; }

private:
    MemoryProfileStore store_;
};

using Backends = ::testing::Types<RegistryBackend, MemoryBackend>;
INSTANTIATE_TYPED_TEST_SUITE_P(Windows, ProfileStoreContract, Backends);

DWORD ReadDword(HKEY root, const std::wstring& path, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

TEST(RegistryProfileStore, KeepsTheSpecsKeysAndKinds) {
    PrivateKey key;
    auto store = ProfileStore::Open(key.profile());
    store->WriteInt("Settings", "Wind Speed", 404);
    const std::string name = "Major Scale";
    store->WriteString("Scale 1", "Name", &name);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, key.path("Tinsori\\Settings"), L"Wind Speed"), 404u);
    wchar_t text[32] = {};
    DWORD size = sizeof text, type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.path("Tinsori\\Scale 1").c_str(), L"Name",
                           RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(text), L"Major Scale");
    EXPECT_EQ(size, (name.size() + 1) * 2);
    // The registry compares every letter without regard to case, not only ASCII ones.
    store->WriteInt("Settings", "Größe", 3);
    EXPECT_EQ(store->ReadInt("Settings", "grÖße", 0), 3);
}

TEST(RegistryProfileStore, PrefixesReachTheMachineAndClassHives) {
    PrivateKey key;
    auto store = ProfileStore::Open(key.profile());
    const std::wstring machine = L"SOFTWARE\\" + key.path().substr(9) + L"\\Tinsori\\Machine";
    if (store->WriteInt("*Machine", "v", 5)) {
        EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, machine, L"v"), 5u);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, machine.c_str());
    }
    EXPECT_EQ(store->ReadInt("*Machine", "v", 7), 7);

    const std::wstring classes = L"TinsoriTests-" + std::to_wstring(GetCurrentProcessId());
    const DWORD four = 4;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, classes.c_str(), L"v", REG_DWORD, &four, 4),
              ERROR_SUCCESS);
    EXPECT_EQ(store->ReadInt("@" + std::string(classes.begin(), classes.end()), "v", 0), 4);
    RegDeleteKeyW(HKEY_CLASSES_ROOT, classes.c_str());
}

TEST(RegistryProfileStore, ProfileNamesAKeyAndTheCopyLeavesItAlone) {
    PrivateKey key;
    std::string profile = key.profile();
    for (char& c : profile)
        if (c == '\\') c = '/';
    auto live = ProfileStore::Open("/" + profile + "/");
    ASSERT_TRUE(live);
    live->WriteInt("Settings", "Channel", 4);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, key.path("Tinsori\\Settings"), L"Channel"), 4u);
    auto copy = ProfileStore::OpenInMemoryCopy(key.profile());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->ReadInt("Settings", "Channel", 0), 4);
    copy->WriteInt("Settings", "Channel", 6);
    copy->DeleteSection("Settings");
    EXPECT_EQ(live->ReadInt("Settings", "Channel", 0), 4);
    EXPECT_FALSE(ProfileStore::Open("\\"));
}

}  // namespace
}  // namespace tinsori
