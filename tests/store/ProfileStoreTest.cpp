#include "store/ProfileStore.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "store/MemoryProfileStore.h"
#include "store/ProfileStoreContract.h"
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

// The profile file on Linux.
class SqliteBackend {
public:
    ProfileStore* open() {
        stores_.push_back(ProfileStore::Open(path_));
        return stores_.back().get();
    }

private:
    TempFolder folder_;
    std::string path_ = folder_.file("sub/dir/profile.db");
    std::vector<std::unique_ptr<ProfileStore>> stores_;
};

// The private copy of renders and exports on Windows.
class MemoryBackend {
public:
    ProfileStore* open() { return &store_; }

private:
    MemoryProfileStore store_;
};

using Backends = ::testing::Types<SqliteBackend, MemoryBackend>;
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, ProfileStoreContract, Backends);

// Unlike the registry, the file compares non-ASCII letters exactly, and other copies see a
// transaction's writes only once it commits.
TEST_F(ProfileStoreTest, FileComparesOnlyAsciiCaseAndIsolatesTransactions) {
    auto store = open();
    auto other = open();
    store->WriteInt("Settings", "Größe", 3);
    EXPECT_EQ(store->ReadInt("Settings", "GRÖSSE", 0), 0);
    EXPECT_EQ(store->ReadInt("Settings", "grÖße", 0), 0);
    ProfileStore::Transaction txn(*store);
    store->WriteInt("Current", "NumOpenApps", 1);
    EXPECT_EQ(other->ReadInt("Current", "NumOpenApps", 0), 0);
    EXPECT_TRUE(txn.Commit());
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
