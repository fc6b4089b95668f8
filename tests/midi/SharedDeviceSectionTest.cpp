#include "midi/SharedDeviceSection.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace tinsori {
namespace {

class SharedDeviceSectionTest : public testing::Test {
protected:
    void Write(const std::string& name, const std::string& text) {
        store_->WriteString("Current", name, &text);
    }
    std::vector<std::string> Names() { return store_->ValueNames("Current"); }

    testing_support::TempFolder folder_;
    std::unique_ptr<ProfileStore> store_ = ProfileStore::Open(folder_.file("profile.db"));
    SharedDeviceSection section_{*store_};
};

TEST_F(SharedDeviceSectionTest, HolderRecordsRoundTripAndUnusableOnesAreDropped) {
    // A start time beyond 32 bits: a machine up for more than 497 days at 100 ticks a second.
    section_.writeHolder({{4321, 5000000000ull}, 15});
    Write("holder 77", "5,3");  // names compare without regard to case
    Write("Holder 12", "99,16");
    Write("Holder 0", "99,1");
    Write("Holder 13", "99,-1");
    const std::vector<DeviceHolder> holders = section_.holders();
    ASSERT_EQ(holders.size(), 2u);
    EXPECT_EQ(holders[0].id, (ProcessIdentity{4321, 5000000000ull}));
    EXPECT_EQ(holders[0].channel, 15);
    EXPECT_EQ(holders[1].id, (ProcessIdentity{77, 5}));
    EXPECT_EQ(holders[1].channel, 3);
    EXPECT_EQ(SharedDeviceSection::MaskOf(holders), 0x8008u);
    EXPECT_EQ(Names().size(), 2u);  // the unusable records are gone from the store

    section_.removeHolder(77);
    EXPECT_EQ(section_.holders().size(), 1u);
    section_.clearAll();
    EXPECT_TRUE(section_.holders().empty());
}

TEST_F(SharedDeviceSectionTest, NumbersKeptAsTextAndAnythingElseReadsAsZero) {
    section_.setNamedHolder(4194304);
    section_.setChannelsInUse(0x18001);
    EXPECT_EQ(section_.namedHolder(), 4194304);
    EXPECT_EQ(section_.channelsInUse(), 0x8001u);
    std::string stored;
    EXPECT_EQ(store_->ReadString("Current", "ChannelsInUse", stored, 100), kKindString);
    EXPECT_EQ(stored, "32769");

    // Nobody holds the device: integers in the text values' places.
    section_.clearAll();
    EXPECT_EQ(store_->ReadInt("Current", "Midi Device", -1), 0);
    EXPECT_EQ(section_.namedHolder(), 0);
    EXPECT_EQ(section_.channelsInUse(), 0u);
    Write("Midi Device", "not a number");
    EXPECT_EQ(section_.namedHolder(), 0);
}

}  // namespace
}  // namespace tinsori
