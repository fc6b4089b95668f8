#include "store/ProfileStore.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "store/SqliteStoreFile.h"
#include "support/ReadFile.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

using testing_support::TempFolder;

class ProfileStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<ProfileStore> open() {
        std::string error;
        auto store = ProfileStore::Open(path_, nullptr, &error);
        EXPECT_TRUE(store) << error;
        return store;
    }

    TempFolder folder_;
    std::string path_ = folder_.file("sub/dir/profile.db");
};

TEST_F(ProfileStoreTest, ReadsFindDefaultsAndCreateNothing) {
    auto store = open();
    EXPECT_EQ(store->ReadInt("Settings", "Wind Speed", 404), 404);
    std::string buffer = "kept";
    EXPECT_EQ(store->ReadString("Settings", "Name", buffer, 510), kKindNone);
    EXPECT_EQ(buffer, "kept");
    std::vector<uint8_t> data{1, 2};
    uint32_t count = 100;
    EXPECT_EQ(store->QueryValue("Settings", "Name", data, count), kKindNone);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(store->SectionNames().empty());
}

TEST_F(ProfileStoreTest, WritesCreateSectionsAndPersist) {
    {
        auto store = open();
        EXPECT_TRUE(store->WriteInt("Settings", "Wind Speed", 0));
        const std::string name = "Major Scale";
        EXPECT_TRUE(store->WriteString("Scale 1", "Name", &name));
    }
    auto store = open();
    EXPECT_EQ(store->ReadInt("Settings", "Wind Speed", 404), 0);  // a stored 0 is not absent
    std::string buffer;
    EXPECT_EQ(store->ReadString("Scale 1", "Name", buffer, 510), kKindString);
    EXPECT_EQ(buffer, "Major Scale");
    EXPECT_EQ(store->SectionNames(), (std::vector<std::string>{"Scale 1", "Settings"}));
}

TEST_F(ProfileStoreTest, NamesIgnoreCaseButKeepTheirWrittenCase) {
    auto store = open();
    store->WriteInt("Settings", "Wind Speed", 1);
    store->WriteInt("SETTINGS", "wind speed", 2);
    EXPECT_EQ(store->ReadInt("settings", "WIND SPEED", 0), 2);
    EXPECT_EQ(store->SectionNames(), std::vector<std::string>{"Settings"});
    EXPECT_EQ(store->ValueNames("sEttings"), std::vector<std::string>{"Wind Speed"});
    // Non-ASCII letters compare exactly.
    store->WriteInt("Settings", "Größe", 3);
    EXPECT_EQ(store->ReadInt("Settings", "GRÖSSE", 0), 0);
    EXPECT_EQ(store->ReadInt("Settings", "grÖße", 0), 0);
}

TEST_F(ProfileStoreTest, ReadIntReplacesOnlyTheStoredLowOrderBytes) {
    auto store = open();
    const uint8_t one[] = {0x7F};
    const uint8_t five[] = {1, 2, 3, 4, 5};
    const std::string empty, digit = "7", two = "77";
    store->WriteValue("S", &digit, one, kKindBinary, 1);
    EXPECT_EQ(store->ReadInt("S", "7", 0x12345678), 0x1234567F);
    store->WriteValue("S", &digit, five, kKindBinary, 5);
    EXPECT_EQ(store->ReadInt("S", "7", 0x12345678), 0x12345678);
    // Strings count by their registry image: UTF-16 units and a terminator.
    store->WriteString("S", "e", &empty);
    EXPECT_EQ(store->ReadInt("S", "e", 0x12345678), 0x12340000);
    store->WriteString("S", "d", &digit);
    EXPECT_EQ(store->ReadInt("S", "d", -1), 0x37);
    store->WriteString("S", "t", &two);
    EXPECT_EQ(store->ReadInt("S", "t", -5), -5);
    store->WriteInt("S", "n", -2);
    EXPECT_EQ(store->ReadInt("S", "n", 9), -2);
}

TEST_F(ProfileStoreTest, ReadStringFitsBySizeInUtf16Bytes) {
    auto store = open();
    const std::string forty(40, 'x');
    store->WriteString("S", "v", &forty);
    std::string buffer = "before";
    EXPECT_EQ(store->ReadString("S", "v", buffer, 60), kKindNone);
    EXPECT_EQ(buffer, "before");
    EXPECT_EQ(store->ReadString("S", "v", buffer, 81), kKindNone);
    EXPECT_EQ(store->ReadString("S", "v", buffer, 82), kKindString);
    EXPECT_EQ(buffer, forty);

    // Two-byte UTF-8 is one unit; a character beyond the BMP is two.
    const std::string accented = "é", emoji = "\xF0\x9F\x98\x80";
    store->WriteString("S", "a", &accented);
    store->WriteString("S", "m", &emoji);
    std::vector<uint8_t> data;
    uint32_t count = 100;
    EXPECT_EQ(store->QueryValue("S", "a", data, count), kKindString);
    EXPECT_EQ(count, 4u);
    count = 100;
    EXPECT_EQ(store->QueryValue("S", "m", data, count), kKindString);
    EXPECT_EQ(count, 6u);
    buffer = "old";
    EXPECT_EQ(store->ReadString("S", "m", buffer, 5), kKindNone);
    EXPECT_EQ(buffer, "old");
}

TEST_F(ProfileStoreTest, IntegerReadAsStringGivesNoDigits) {
    auto store = open();
    store->WriteInt("Current", "Midi Device", 0x31);
    std::string buffer = "0";
    EXPECT_EQ(store->ReadString("Current", "Midi Device", buffer, 20), kKindInteger);
    EXPECT_EQ(buffer, "");
}

TEST_F(ProfileStoreTest, NullValueDeletesWithTheRegistryResults) {
    auto store = open();
    const std::string text = "x";
    store->WriteString("Existing", "v", &text);
    EXPECT_FALSE(store->WriteString("Existing", "absent", nullptr));
    EXPECT_TRUE(store->WriteString("Existing", "V", nullptr));
    std::string buffer = "gone";
    store->ReadString("Existing", "v", buffer, 100);
    EXPECT_EQ(buffer, "gone");
    // A section made just now reports success and stays behind, empty.
    EXPECT_TRUE(store->WriteString("Fresh", "v", nullptr));
    EXPECT_EQ(store->SectionNames(), (std::vector<std::string>{"Existing", "Fresh"}));
    EXPECT_TRUE(store->ValueNames("Fresh").empty());
}

TEST_F(ProfileStoreTest, GeneralWriteHonoursEachKind) {
    auto store = open();
    const std::string name = "v";
    const uint8_t bytes[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> data;
    uint32_t count = 100;
    EXPECT_TRUE(store->WriteValue("S", &name, bytes, kKindBinaryFixed, 3));
    EXPECT_EQ(store->QueryValue("S", "v", data, count), kKindBinary);
    EXPECT_EQ(data, std::vector<uint8_t>(bytes, bytes + 16));
    EXPECT_TRUE(store->WriteValue("S", &name, bytes, kKindBinary, 0));
    count = 100;
    EXPECT_EQ(store->QueryValue("S", "v", data, count), kKindBinary);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(store->WriteValue("S", &name, bytes, 7, 4));
    // An unknown kind writes no value, yet the section was opened (so created) before the kind
    // was looked at.
    EXPECT_FALSE(store->WriteValue("Other", &name, bytes, 4, 4));
    EXPECT_EQ(store->SectionNames(), (std::vector<std::string>{"Other", "S"}));
    EXPECT_TRUE(store->ValueNames("Other").empty());
    // A capacity too small is a failed query.
    const int32_t value = 5;
    store->WriteValue("S", &name, &value, kKindInteger, 0);
    count = 3;
    EXPECT_EQ(store->QueryValue("S", "v", data, count), kKindNone);
    EXPECT_EQ(count, 0u);
}

TEST_F(ProfileStoreTest, SectionPrefixesSelectTheirPlaces) {
    auto store = open();
    EXPECT_FALSE(store->WriteInt("*Machine", "v", 1));  // no machine-wide place here
    EXPECT_EQ(store->ReadInt("*Machine", "v", 7), 7);
    EXPECT_TRUE(store->SectionNames().empty());

    store->WriteInt("Shared", "v", 1);
    store->WriteInt("-Shared", "v", 2);  // beside the application's sections
    EXPECT_EQ(store->ReadInt("Shared", "v", 0), 1);
    EXPECT_EQ(store->ReadInt("-shared", "v", 0), 2);
    EXPECT_EQ(store->SectionNames(), (std::vector<std::string>{"Shared", "-Shared"}));

    EXPECT_TRUE(store->WriteInt("@Classes", "v", 3));  // "@" is ordinary for a write
    EXPECT_EQ(store->ReadInt("@Classes", "v", 0), 0);  // and finds nothing for a read
    EXPECT_EQ(store->DeleteSection("-Shared"), 0);
    EXPECT_EQ(store->ReadInt("-Shared", "v", 0), 0);
    EXPECT_EQ(store->ReadInt("Shared", "v", 0), 1);
}

TEST_F(ProfileStoreTest, OverlongNamesAreRefused) {
    auto store = open();
    EXPECT_FALSE(store->WriteInt(std::string(256, 's'), "v", 1));
    EXPECT_TRUE(store->WriteInt(std::string(255, 's'), "v", 1));
    EXPECT_FALSE(store->WriteInt("S", std::string("a\0b", 3), 1));
}

TEST_F(ProfileStoreTest, TransactionsNestAndCommitOnlyAtTheOutermost) {
    auto store = open();
    auto other = open();
    {
        ProfileStore::Transaction outer(*store);
        {
            ProfileStore::Transaction inner(*store);
            store->WriteInt("Current", "NumOpenApps", 1);
            EXPECT_TRUE(inner.Commit());
        }
        EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", 0), 1);
        EXPECT_EQ(other->ReadInt("Current", "NumOpenApps", 0), 0);
        EXPECT_TRUE(outer.Commit());
    }
    EXPECT_EQ(other->ReadInt("Current", "NumOpenApps", 0), 1);
    // A scope left without Commit keeps nothing: no write is stored, or lost, unseen.
    {
        ProfileStore::Transaction forgotten(*store);
        store->WriteInt("Current", "NumOpenApps", 2);
    }
    EXPECT_EQ(other->ReadInt("Current", "NumOpenApps", 0), 1);
}

class ProfileStoreFileTest : public ProfileStoreTest {
protected:
    void replace(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    // Opens a damaged file and checks it went aside intact and a working store took its place.
    void expectMovedAside(const std::string& oldBytes) {
        std::string notice, error;
        auto store = ProfileStore::Open(path_, &notice, &error);
        ASSERT_TRUE(store) << error;
        std::vector<std::filesystem::path> aside;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.file("sub/dir"))) {
            const std::string name = entry.path().filename().string();
            if (name.find(".corrupt-") != std::string::npos && name.find("-wal") == name.npos &&
                name.find("-shm") == name.npos) {
                aside.push_back(entry.path());
            }
        }
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(testing_support::ReadFile(aside[0].string()), oldBytes);
        EXPECT_NE(notice.find(aside[0].string()), std::string::npos) << notice;
        EXPECT_TRUE(store->WriteInt("Settings", "Channel", 3));
        EXPECT_EQ(store->ReadInt("Settings", "Channel", 0), 3);
    }
};

TEST_F(ProfileStoreFileTest, RandomBytesAreMovedAside) {
    std::filesystem::create_directories(folder_.file("sub/dir"));
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 7919) % 251);
    replace(bytes);
    expectMovedAside(bytes);
}

TEST_F(ProfileStoreFileTest, TruncatedStoreIsMovedAside) {
    {
        auto store = open();
        std::string text(300, 'q');
        for (int i = 0; i < 200; ++i) store->WriteString("S" + std::to_string(i), "v", &text);
    }
    const std::string whole = testing_support::ReadFile(path_);
    ASSERT_GT(whole.size(), 8192u);
    replace(whole.substr(0, whole.size() / 2));
    expectMovedAside(whole.substr(0, whole.size() / 2));
}

TEST_F(ProfileStoreFileTest, NewerSchemaIsMovedAsideNotDowngraded) {
    {
        auto store = open();
        store->WriteInt("Settings", "Channel", 9);
    }
    {
        // Stamp a newer schema version as a later program would.
        std::string bytes = testing_support::ReadFile(path_);
        bytes[60 + 3] = 99;  // user_version, big-endian at offset 60
        replace(bytes);
    }
    const std::string stamped = testing_support::ReadFile(path_);
    expectMovedAside(stamped);
}

TEST_F(ProfileStoreFileTest, AsideNameInUseIsNeverOverwritten) {
    std::filesystem::create_directories(folder_.file("sub/dir"));
    replace("garbage that is not a database at all, long enough to be looked at.......");
    // An earlier aside file of the name this second gives must survive.
    const std::string taken = SqliteStoreFile::AsideName(path_);
    std::string notice;
    std::ofstream(taken) << "earlier";
    auto store = ProfileStore::Open(path_, &notice);
    ASSERT_TRUE(store);
    EXPECT_EQ(testing_support::ReadFile(taken), "earlier");
    EXPECT_FALSE(notice.empty());
}

TEST_F(ProfileStoreFileTest, UnusableFolderGivesAnError) {
    std::filesystem::create_directories(folder_.file("sub"));
    std::ofstream(folder_.file("sub/dir")) << "a file where the folder should be";
    std::string error;
    EXPECT_FALSE(ProfileStore::Open(path_, nullptr, &error));
    EXPECT_FALSE(error.empty());
}

// Copies started together on a new profile race to set it up; SQLite tells the loser "locked"
// without waiting, which once left a copy with no profile at all.
TEST_F(ProfileStoreFileTest, CopiesOpeningANewProfileTogetherAllGetIt) {
    constexpr int kRounds = 60, kCopies = 4;
    int failed = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string path = folder_.file("new" + std::to_string(round) + ".db");
        pid_t children[kCopies];
        for (pid_t& child : children) {
            child = fork();
            if (child == 0) _exit(ProfileStore::Open(path) ? 0 : 1);
        }
        for (pid_t child : children) {
            int status = -1;
            waitpid(child, &status, 0);
            failed += status != 0;
        }
    }
    EXPECT_EQ(failed, 0);
}

TEST_F(ProfileStoreFileTest, InMemoryCopyNeverTouchesTheFile) {
    EXPECT_TRUE(ProfileStore::OpenInMemoryCopy(path_));
    EXPECT_FALSE(std::filesystem::exists(path_));
    auto live = open();
    live->WriteInt("Settings", "Channel", 4);
    auto copy = ProfileStore::OpenInMemoryCopy(path_);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->ReadInt("Settings", "Channel", 0), 4);
    copy->WriteInt("Settings", "Channel", 6);
    copy->DeleteSection("Settings");
    EXPECT_EQ(live->ReadInt("Settings", "Channel", 0), 4);
}

TEST(ProfileStoreDefaultPath, FollowsTheEnvironment) {
    const auto saved = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto profile = saved("TINSORI_PROFILE"), config = saved("XDG_CONFIG_HOME"),
               home = saved("HOME");
    setenv("TINSORI_PROFILE", "/x/p.db", 1);
    EXPECT_EQ(ProfileStore::DefaultPath(), "/x/p.db");
    unsetenv("TINSORI_PROFILE");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(ProfileStore::DefaultPath(), "/cfg/tinsori/profile.db");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(ProfileStore::DefaultPath(), "/home/u/.config/tinsori/profile.db");
    const auto restore = [](const char* name, const std::optional<std::string>& v) {
        v ? setenv(name, v->c_str(), 1) : unsetenv(name);
    };
    restore("TINSORI_PROFILE", profile);
    restore("XDG_CONFIG_HOME", config);
    restore("HOME", home);
}

}  // namespace
}  // namespace tinsori
