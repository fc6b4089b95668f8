#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/ProfileStore.h"

// What every profile store backend does alike. A backend's test file instantiates the suite
// with a type whose open() gives another store on one profile, empty when the test begins (the
// same store every time when it lives in memory only).
namespace tinsori {

template <typename Backend>
class ProfileStoreContract : public ::testing::Test {
protected:
    ProfileStore* open() { return backend_.open(); }

private:
    Backend backend_;
};

TYPED_TEST_SUITE_P(ProfileStoreContract);

TYPED_TEST_P(ProfileStoreContract, ReadsFindDefaultsAndCreateNothing) {
    ProfileStore* store = this->open();
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

TYPED_TEST_P(ProfileStoreContract, WritesCreateSectionsAndPersist) {
    {
        ProfileStore* store = this->open();
        EXPECT_TRUE(store->WriteInt("Settings", "Wind Speed", 0));
        const std::string name = "Major Scale";
        EXPECT_TRUE(store->WriteString("Scale 1", "Name", &name));
    }
    ProfileStore* store = this->open();
    EXPECT_EQ(store->ReadInt("Settings", "Wind Speed", 404), 0);  // a stored 0 is not absent
    std::string buffer;
    EXPECT_EQ(store->ReadString("Scale 1", "Name", buffer, 510), kKindString);
    EXPECT_EQ(buffer, "Major Scale");
    EXPECT_EQ(store->SectionNames(), (std::vector<std::string>{"Scale 1", "Settings"}));
}

TYPED_TEST_P(ProfileStoreContract, NamesIgnoreCaseButKeepTheirWrittenCase) {
    ProfileStore* store = this->open();
    store->WriteInt("Settings", "Wind Speed", 1);
    store->WriteInt("SETTINGS", "wind speed", 2);
    EXPECT_EQ(store->ReadInt("settings", "WIND SPEED", 0), 2);
    EXPECT_EQ(store->SectionNames(), std::vector<std::string>{"Settings"});
    EXPECT_EQ(store->ValueNames("sEttings"), std::vector<std::string>{"Wind Speed"});
}

TYPED_TEST_P(ProfileStoreContract, ReadIntReplacesOnlyTheStoredLowOrderBytes) {
    ProfileStore* store = this->open();
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

TYPED_TEST_P(ProfileStoreContract, ReadStringFitsBySizeInUtf16Bytes) {
    ProfileStore* store = this->open();
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

TYPED_TEST_P(ProfileStoreContract, IntegerReadAsStringGivesNoDigits) {
    ProfileStore* store = this->open();
    store->WriteInt("Current", "Midi Device", 0x31);
    std::string buffer = "0";
    EXPECT_EQ(store->ReadString("Current", "Midi Device", buffer, 20), kKindInteger);
    EXPECT_EQ(buffer, "");
}

TYPED_TEST_P(ProfileStoreContract, NullValueDeletesWithTheRegistryResults) {
    ProfileStore* store = this->open();
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

TYPED_TEST_P(ProfileStoreContract, GeneralWriteHonoursEachKind) {
    ProfileStore* store = this->open();
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

TYPED_TEST_P(ProfileStoreContract, SectionPrefixesSelectTheirPlaces) {
    ProfileStore* store = this->open();
    // A machine-wide write goes elsewhere (or is refused); a read takes "*" as ordinary.
    store->WriteInt("*Machine", "v", 1);
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

TYPED_TEST_P(ProfileStoreContract, OverlongNamesAreRefused) {
    ProfileStore* store = this->open();
    EXPECT_FALSE(store->WriteInt(std::string(256, 's'), "v", 1));
    EXPECT_TRUE(store->WriteInt(std::string(255, 's'), "v", 1));
    EXPECT_FALSE(store->WriteInt("S", std::string("a\0b", 3), 1));
}

TYPED_TEST_P(ProfileStoreContract, TransactionsNestAndCommitOnlyAtTheOutermost) {
    ProfileStore* store = this->open();
    ProfileStore* other = this->open();
    {
        ProfileStore::Transaction outer(*store);
        {
            ProfileStore::Transaction inner(*store);
            store->WriteInt("Current", "NumOpenApps", 1);
            EXPECT_TRUE(inner.Commit());
        }
        EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", 0), 1);
        EXPECT_TRUE(outer.Commit());
    }
    EXPECT_EQ(other->ReadInt("Current", "NumOpenApps", 0), 1);
    // A scope left without Commit keeps nothing: no write is stored, or lost, unseen. Undone
    // are new values, replaced ones, new sections and deleted ones.
    {
        ProfileStore::Transaction forgotten(*store);
        store->WriteInt("Current", "NumOpenApps", 2);
        store->WriteInt("Current", "New", 2);
        store->WriteInt("Fresh", "v", 2);
        store->DeleteSection("Current");
    }
    EXPECT_EQ(other->ReadInt("Current", "NumOpenApps", 0), 1);
    EXPECT_EQ(other->ReadInt("Current", "New", 0), 0);
    EXPECT_EQ(other->SectionNames(), std::vector<std::string>{"Current"});
}

REGISTER_TYPED_TEST_SUITE_P(ProfileStoreContract, ReadsFindDefaultsAndCreateNothing,
                            WritesCreateSectionsAndPersist, NamesIgnoreCaseButKeepTheirWrittenCase,
                            ReadIntReplacesOnlyTheStoredLowOrderBytes,
                            ReadStringFitsBySizeInUtf16Bytes, IntegerReadAsStringGivesNoDigits,
                            NullValueDeletesWithTheRegistryResults, GeneralWriteHonoursEachKind,
                            SectionPrefixesSelectTheirPlaces, OverlongNamesAreRefused,
                            TransactionsNestAndCommitOnlyAtTheOutermost);

}  // namespace tinsori
