#include "store/SplitField.h"

#include <gtest/gtest.h>

#include <climits>

namespace tinsori {
namespace {

struct SplitCase {
    std::string line, field, rest;
};

TEST(SplitField, TakesTheFirstFieldAndLeavesTheRest) {
    const SplitCase cases[] = {
        {"Rain,1,2", "Rain", "1,2"},
        {"Rain", "Rain", ""},
        {",5", "", "5"},
        {"a\tb", "a", "b"},
        {"a\r\nb", "a", "\nb"},
        {" x , y", " x ", " y"},
        {"", "", ""},
        {"a,", "a", ""},
        {std::string("a\0b,c", 5), "a", ""},
        {"na\xC3\xAFve,1", "na\xC3\xAFve", "1"},
    };
    for (const SplitCase& c : cases) {
        std::string line = c.line;
        EXPECT_EQ(SplitField(line), c.field) << c.line;
        EXPECT_EQ(line, c.rest) << c.line;
    }
}

TEST(SplitField, FieldIsCutToTheCallersBound) {
    std::string line = "abcdefgh,rest";
    EXPECT_EQ(SplitField(line, 3), "abc");
    EXPECT_EQ(line, "rest");
}

TEST(FieldToInt, ReadsLikeTheCLibraryWithoutOverflow) {
    EXPECT_EQ(FieldToInt("42"), 42);
    EXPECT_EQ(FieldToInt("  -17abc"), -17);
    EXPECT_EQ(FieldToInt("\t+8"), 8);
    EXPECT_EQ(FieldToInt("x12"), 0);
    EXPECT_EQ(FieldToInt(""), 0);
    EXPECT_EQ(FieldToInt("-"), 0);
    EXPECT_EQ(FieldToInt("1 2"), 1);
    EXPECT_EQ(FieldToInt("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(FieldToInt("-99999999999999999999999"), LONG_MIN);
    EXPECT_EQ(FieldToInt(std::to_string(LONG_MIN)), LONG_MIN);
}

}  // namespace
}  // namespace tinsori
