#include "settings/BuiltInPresets.h"

#include <gtest/gtest.h>

#include <cctype>

#include "FavoritesTestSupport.h"
#include "settings/Favorites.h"
#include "store/SplitField.h"
#include "support/PresetLines.h"

namespace tinsori::testing {
namespace {

class BuiltInPresetsTest : public FavoritesFixture {
protected:
    std::string Favorite(int i) { return ReadString("Favorites", "Favorite" + std::to_string(i)); }
    std::string Pattern(int i) { return ReadString("Prismora", "Pattern" + std::to_string(i)); }
};

TEST_F(BuiltInPresetsTest, TablesPairUpByName) {
    for (int i = 0; i < kBuiltInPresetCount; ++i) {
        std::string favorite(BuiltInFavorites[i]), pattern(BuiltInPatterns[i]);
        EXPECT_EQ(SplitField(favorite), SplitField(pattern)) << i;
        int commas = 0;
        for (char c : BuiltInPatterns[i]) commas += c == ',';
        EXPECT_EQ(commas, 17) << i;
    }
    EXPECT_EQ(BuiltInFavorites[40], "Vitamin \"C\",93,8,12,0,0,2,0,9370,1,461,1,12,0,0,1000");
    EXPECT_EQ(BuiltInPatterns[42], "Tinsori II,8,0,117,176,65,1,1,53,8,167,4,0,1,1000,1,1,1");
}

TEST_F(BuiltInPresetsTest, FirstRunInstallsBothSetsInOrder) {
    InstallBuiltInPresets(store());
    for (int i = 1; i <= kBuiltInPresetCount; ++i) {
        EXPECT_EQ(Favorite(i), BuiltInFavorites[i - 1]);
        EXPECT_EQ(Pattern(i), BuiltInPatterns[i - 1]);
    }
    EXPECT_EQ(Favorite(44), "");
    EXPECT_EQ(store().ReadInt("Favorites", "Last", 0), 43);
    EXPECT_EQ(store().ReadInt("Favorites", "AddDefaultsNow", 0), 1);
    EXPECT_EQ(store().ReadInt("Prismora", "Last", 0), 43);
    EXPECT_EQ(store().ReadInt("Prismora", "AddDefaultsNow", 0), 1);

    // The list shows the 43 names sorted and selects the one the defaults equal.
    LoadFavoritesList(ctx());
    ASSERT_EQ(view.entries.size(), 43u);
    EXPECT_EQ(view.entries.front(), "Acoustic Journey");
    EXPECT_EQ(view.entries.back(), "Water Caves");
    EXPECT_EQ(view.SelectedFavorite(), "Peaceful Tubular Tinsori");
    EXPECT_TRUE(view.saveEnabled && view.removeEnabled);

    // Once installed, removed presets stay removed.
    store().WriteString("Favorites", "Favorite3", nullptr);
    InstallBuiltInPresets(store());
    EXPECT_EQ(Favorite(3), "");
}

TEST_F(BuiltInPresetsTest, UserFavoritesAndPresentPresetsAreRespected) {
    WriteString("Favorites", "Favorite1", "Mine,1,2,3");
    WriteString("Favorites", "Favorite5", [] {
        std::string upper(BuiltInFavorites[0]);
        for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        return upper;
    }());
    // A favorite with a preset's name but other values does not stop the preset.
    WriteString("Favorites", "Favorite3", "Alien World,1,1");
    store().WriteInt("Favorites", "Last", 5);
    InstallBuiltInPresets(store());

    EXPECT_EQ(Favorite(1), "Mine,1,2,3");
    EXPECT_EQ(Favorite(2), BuiltInFavorites[1]);  // gaps first: 2 and 4
    EXPECT_EQ(Favorite(4), BuiltInFavorites[2]);
    EXPECT_EQ(Favorite(6), BuiltInFavorites[3]);
    EXPECT_EQ(Favorite(45), BuiltInFavorites[42]);
    EXPECT_EQ(Favorite(46), "");
    EXPECT_EQ(store().ReadInt("Favorites", "Last", 0), 45);
}

TEST_F(BuiltInPresetsTest, OneUserFavoritePushesThePresetsUp) {
    // A line too long to read back still occupies its slot.
    for (std::string mine : {std::string("Mine,1,2,3"), "Long," + std::string(300, '1')}) {
        store().DeleteSection("Favorites");
        WriteString("Favorites", "Favorite1", mine);
        RecoverLastIndex(store(), "Favorites", "Favorite");
        InstallBuiltInPresets(store());
        EXPECT_EQ(Favorite(1), mine);
        EXPECT_EQ(Favorite(2), BuiltInFavorites[0]);
        EXPECT_EQ(Favorite(44), BuiltInFavorites[42]);
        EXPECT_EQ(store().ReadInt("Favorites", "Last", 0), 44);
    }
}

TEST_F(BuiltInPresetsTest, EveryPresetFindsItsScaleAndRoundTrips) {
    for (std::string_view preset : BuiltInFavorites) {
        std::string values(preset);
        std::string name = SplitField(values);
        ApplySettingsLine(ctx(), name, values);
        EXPECT_EQ(scales.count(), kBuiltInScaleCount) << name;
        EXPECT_EQ(FormatSettingsValues(settings, scales), values) << name;
    }
    EXPECT_TRUE(view.scaleNames.empty());
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(BuiltInPresetsTest, CommandLineSettingsInAnyCase) {
    std::string values(BuiltInFavorites[0]);
    SplitField(values);
    ApplyCommandLineSettings(ctx(), "settings," + values);
    EXPECT_EQ(settings.startedWithSettings, 1);
    EXPECT_EQ(settings.instrument, 24);
    EXPECT_EQ(FormatSettingsValues(settings, scales), values);

    // A scale the table lacks is named after "Auto Settings" when field 5 asks for it.
    ApplyCommandLineSettings(ctx(), "SETTINGS,14,7,40,-1,0,1,0,5000,0,404,2,13,0,5,0,1000");
    EXPECT_EQ(view.scaleNames, std::vector<std::string>{"Scale for Auto Settings"});
}

TEST_F(BuiltInPresetsTest, OtherCommandLinesChangeNothing) {
    for (const char* line : {"", "Setting,24,10", "Settings2,24,10", " Settings,24,10", "24,10"}) {
        ApplyCommandLineSettings(ctx(), line);
        EXPECT_EQ(settings.instrument, 14) << line;
        EXPECT_EQ(settings.startedWithSettings, 0) << line;
    }
    EXPECT_TRUE(port.messages().empty());
}

TEST_F(BuiltInPresetsTest, CommandLinesAreCutAt255Characters) {
    // The fractal field is padded with zeros so that closeness starts past character 255.
    const std::string& values = testing_support::kFirstPresetValues;
    std::string head = "Settings," + values.substr(0, values.rfind(",0,1000") + 1);
    std::string line = head + std::string(255 - head.size(), '0') + ",2000";
    ApplyCommandLineSettings(ctx(), line);
    EXPECT_EQ(settings.instrument, 24);
    EXPECT_DOUBLE_EQ(settings.closeness, 1.0);  // never read: the line ended before it

    ApplyCommandLineSettings(ctx(), "Settings,5," + std::string(100000, '9'));
    EXPECT_EQ(settings.instrument, 5);
    EXPECT_EQ(settings.numChimes, kMaxChimes);
}

}  // namespace
}  // namespace tinsori::testing
