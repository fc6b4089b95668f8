#include "store/Utf16Text.h"

#include <gtest/gtest.h>

namespace tinsori {
namespace {

TEST(Utf16Text, RegistrySizesCountUtf16UnitsAndTheTerminator) {
    EXPECT_EQ(RegistryStringBytes(""), 2u);
    EXPECT_EQ(RegistryStringBytes("abc"), 8u);
    EXPECT_EQ(RegistryStringBytes("\xC3\xA9"), 4u);          // e acute: two bytes, one unit
    EXPECT_EQ(RegistryStringBytes("\xE2\x82\xAC"), 4u);      // euro sign: three bytes, one unit
    EXPECT_EQ(RegistryStringBytes("\xF0\x9F\x8E\x90"), 6u);  // wind chime: a surrogate pair
    // Malformed bytes count one unit each: a cut sequence, an overlong form, a stray
    // continuation byte, an encoded surrogate.
    EXPECT_EQ(Utf16Units("\xF0\x9F\x8E"), 3u);
    EXPECT_EQ(Utf16Units("\xC0\x80"), 2u);
    EXPECT_EQ(Utf16Units("\x80"
                         "a"),
              2u);
    EXPECT_EQ(Utf16Units("\xED\xA0\x80"), 3u);
}

TEST(Utf16Text, ConversionsRoundTripAndReplaceWhatHasNoForm) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x90";
    const std::u16string units = {u'a', 0x00E9, 0x20AC, 0xD83C, 0xDF90};
    EXPECT_EQ(Utf8ToUtf16(text), units);
    EXPECT_EQ(Utf16ToUtf8(units), text);
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F"), (std::u16string{0xFFFD, 0xFFFD}));
    // A surrogate without its partner: a high one at the end or before another unit, a low one.
    const std::u16string lone = {0xDF90, u'x', 0xD83C, u'y', 0xD83C};
    EXPECT_EQ(Utf16ToUtf8(lone), "\xEF\xBF\xBDx\xEF\xBF\xBDy\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tinsori
