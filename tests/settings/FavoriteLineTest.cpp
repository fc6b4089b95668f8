#include "settings/FavoriteLine.h"

#include <gtest/gtest.h>

#include <string>

#include "model/Random.h"

namespace tinsori {
namespace {

const std::string kComma = "\xEF\xBE\xAB";  // U+FFAB

TEST(FavoriteLineFormat, DefaultSettingsGiveTheDocumentedValuesPart) {
    Random random(1);
    ChimeSettings settings(random);
    ScaleTable scales;
    scales.LoadBuiltIns();
    EXPECT_EQ(FormatSettingsValues(settings, scales),
              "14,7,52,0,-3,1,0,10000,0,404,5,12,0,2,4,7,9,0,1533");
}

TEST(FavoriteLineFormat, RealsTruncateAndTheCurrentScaleIsWritten) {
    Random random(1);
    ChimeSettings settings(random);
    ScaleTable scales;
    scales.LoadBuiltIns();
    settings.pinkness = 0.0003;  // 2.9999... once scaled
    settings.closeness = 1.0005;
    settings.scaleIndex = 52;  // "Barber Shop": 9 offsets repeating every 24
    settings.windSpeed = 600;
    settings.windNow = 300;  // the wandering value is not part of a favorite
    EXPECT_EQ(FormatSettingsValues(settings, scales),
              "14,7,52,0,-3,1,0,2,0,600,9,24,0,2,5,7,11,14,17,19,23,0,1000");
}

TEST(FavoriteLineNames, CommasAndLeadingSpaces) {
    EXPECT_EQ(StoredFavoriteName("Rain, Heavy"), "Rain" + kComma + " Heavy");
    EXPECT_EQ(DisplayFavoriteName("Rain" + kComma + " Heavy" + kComma), "Rain, Heavy,");
    EXPECT_EQ(FavoriteNameFromEdit("  Rain"), "Rain");
    EXPECT_EQ(FavoriteNameFromEdit("   "), "");
    EXPECT_EQ(FavoriteNameFromEdit(std::string(130, 'x')), std::string(127, 'x'));
    // Cut at 127 before the spaces go, as the edit field is read with room for 127.
    EXPECT_EQ(FavoriteNameFromEdit("  " + std::string(130, 'x')), std::string(125, 'x'));
}

TEST(FavoriteLineNames, CutsCountUtf16UnitsAndNeverSplitACharacter) {
    const std::string e = "\xC3\xA9";             // one unit
    const std::string clef = "\xF0\x9D\x84\x9E";  // a surrogate pair
    EXPECT_EQ(CutToUtf16Units("ab" + e + "cd", 3), "ab" + e);
    EXPECT_EQ(CutToUtf16Units("a" + clef + "b", 2), "a");
    EXPECT_EQ(CutToUtf16Units("a" + clef + "b", 3), "a" + clef);
}

TEST(FavoriteLineParse, MissingFieldsReadAsZero) {
    SettingsLineValues v = ParseSettingsValues("24,10");
    EXPECT_EQ(v.instrument, 24);
    EXPECT_EQ(v.numChimes, 10);
    EXPECT_EQ(v.baseNote, 0);
    EXPECT_EQ(v.scaleField, 0);
    EXPECT_EQ(v.transpose, 0);
    EXPECT_DOUBLE_EQ(v.pinkness, 0.0);
    EXPECT_FALSE(v.scale.has_value());
    EXPECT_EQ(v.fractal, 0);
    EXPECT_DOUBLE_EQ(v.closeness, 1.0);  // a closeness of 0 means 1.0
    EXPECT_EQ(v.wind, 2);                // 0 is below the slider's range
}

TEST(FavoriteLineParse, IntervalCounts) {
    // 39 intervals: all are consumed, the first 18 kept, fractal and closeness follow them.
    std::string line = "14,7,52,0,0,1,0,0,0,404,39,120";
    for (int k = 0; k < 39; ++k) line += "," + std::to_string(k);
    SettingsLineValues v = ParseSettingsValues(line + ",1,2500");
    ASSERT_TRUE(v.scale.has_value());
    EXPECT_EQ(v.scale->numNotes, 18);
    EXPECT_EQ(v.scale->repeatInterval, 120);
    EXPECT_EQ(v.scale->notes[17], 17);
    EXPECT_EQ(v.fractal, 1);
    EXPECT_DOUBLE_EQ(v.closeness, 2.5);

    // Counts outside 1..39 take no scale fields: the next two are fractal and closeness.
    for (const char* count : {"0", "40", "-3"}) {
        SettingsLineValues w =
            ParseSettingsValues(std::string("14,7,52,0,0,1,0,0,0,404,") + count + ",1,2000,7");
        EXPECT_FALSE(w.scale.has_value()) << count;
        EXPECT_EQ(w.fractal, 1) << count;
        EXPECT_DOUBLE_EQ(w.closeness, 2.0) << count;
    }
}

TEST(FavoriteLineParse, UntrustedValuesComeBackInRange) {
    SettingsLineValues high = ParseSettingsValues(
        "300,1000,999,7,99,3,5,20000,9,5000,2,0,99999999999999999999,-99999999999,7,99999");
    EXPECT_EQ(high.instrument, 127);
    EXPECT_EQ(high.numChimes, 77);
    EXPECT_EQ(high.baseNote, 127);
    EXPECT_EQ(high.transpose, 12);
    EXPECT_EQ(high.configuration, 1);  // not one of 1, 2, 4, 8
    EXPECT_EQ(high.shuffle, 1);
    EXPECT_DOUBLE_EQ(high.pinkness, 1.0);
    EXPECT_EQ(high.constantWind, 1);
    EXPECT_EQ(high.wind, 940);
    ASSERT_TRUE(high.scale.has_value());
    EXPECT_GE(high.scale->repeatInterval, 1);  // a repeat of 0 would never reach a note
    EXPECT_GT(high.scale->notes[0], 0);
    EXPECT_LT(high.scale->notes[1], 0);
    EXPECT_EQ(high.fractal, 1);
    EXPECT_DOUBLE_EQ(high.closeness, 3.2);

    SettingsLineValues low = ParseSettingsValues("-5,-1,-40,0,-99,8,0,-7,0,-3,0,0,50");
    EXPECT_EQ(low.instrument, 0);
    EXPECT_EQ(low.numChimes, 1);
    EXPECT_EQ(low.baseNote, 0);
    EXPECT_EQ(low.transpose, -12);
    EXPECT_EQ(low.configuration, 8);
    EXPECT_DOUBLE_EQ(low.pinkness, 0.0);
    EXPECT_EQ(low.wind, 2);
    EXPECT_DOUBLE_EQ(low.closeness, 0.1);
}

}  // namespace
}  // namespace tinsori
