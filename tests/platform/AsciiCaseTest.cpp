#include "platform/AsciiCase.h"

#include <gtest/gtest.h>

namespace tinsori {
namespace {

// A Turkish locale folds 'I' to a dotless i and 'i' up to a dotted I; names must not follow it.
TEST(AsciiCase, FoldsAsciiLettersAloneWhateverTheLocale) {
    EXPECT_TRUE(EqualsIgnoringCase("FLUIDSYNTH", "fluidsynth"));
    EXPECT_TRUE(EqualsIgnoringCase("Settings", "SETTINGS"));
    EXPECT_FALSE(EqualsIgnoringCase("Settings", "Setting"));
    EXPECT_FALSE(EqualsIgnoringCase("\xC4\xB1", "I"));  // dotless i
    EXPECT_FALSE(EqualsIgnoringCase("\xC4\xB0", "i"));  // dotted capital I
    EXPECT_TRUE(EndsWithIgnoringCase("song.MIDI", ".midi"));
    EXPECT_FALSE(EndsWithIgnoringCase("midi", ".midi"));
    // Beyond ASCII, bytes sort by value after the letters.
    EXPECT_TRUE(LessIgnoringCase("Zebra", "\xC3\xA9t\xC3\xA9"));
    EXPECT_TRUE(LessIgnoringCase("apple", "BANANA"));
}

}  // namespace
}  // namespace tinsori
