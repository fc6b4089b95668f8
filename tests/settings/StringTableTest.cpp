#include "settings/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace tinsori {
namespace {

TEST(StringTable, TwoLoadsStayValidTogetherAndTheThirdReusesTheFirst) {
    const char* text = LoadResString(kStringNoMidiDevice);
    const char* caption = LoadResString(kStringNoMidiDeviceCaption);
    EXPECT_EQ(std::string(caption), "Midi Output Device In Use");
    EXPECT_EQ(std::string(text).substr(0, 53),
              "Tinsori cannot open the default MIDI output device.  ");
    const char* third = LoadResString(kStringPause);
    EXPECT_EQ(third, text);
    EXPECT_EQ(std::string(text), "Pause");
    EXPECT_EQ(std::string(caption), "Midi Output Device In Use");
}

TEST(StringTable, HoldsTheNumberedTextsAndNothingElse) {
    EXPECT_EQ(StringTableText(107), "%s - %d\r\n");
    EXPECT_EQ(StringTableText(109), "creating presets");
    EXPECT_EQ(StringTableText(113), "wind");
    EXPECT_EQ(StringTableText(kStringFavoritesFull),
              "All %ld favorties have been filled.  Please remove your 'least' favorite first.");
    EXPECT_EQ(std::string(LoadResString(9999)), "");
}

}  // namespace
}  // namespace tinsori
