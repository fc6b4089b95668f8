#include "store/RegistryTextParser.h"

#include <gtest/gtest.h>

namespace tinsori {
namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\n";

TEST(RegistryTextParser, MapsKeysToSectionsAndKeepsWhereEachStood) {
    std::string error;
    const auto sections =
        RegistryTextParser::Parse(kHeader +
                                      "\n"
                                      "[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori]\n"
                                      "[HKEY_CURRENT_USER\\Software\\Quillfen]\n"
                                      "[HKEY_CURRENT_USER\\Software\\Quillfen\\Other\\Deep]\n"
                                      "\"Bin\"=hex:01,\\\n"
                                      "  02\n"
                                      "\"Top\"=dword:ffffffff\n"
                                      "[-hkey_current_user\\software\\quillfen\\tinsori\\Old]\n",
                                  &error);
    ASSERT_TRUE(sections) << error;
    ASSERT_EQ(sections->size(), 4u);
    EXPECT_EQ((*sections)[0].name, "");   // the program's own key
    EXPECT_EQ((*sections)[1].name, "-");  // the vendor's key beside it
    const RegistryTextSection& other = (*sections)[2];
    EXPECT_EQ(other.name, "-Other\\Deep");
    EXPECT_EQ(other.line, 5u);
    ASSERT_EQ(other.values.size(), 2u);
    EXPECT_EQ(other.values[0].bytes, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(other.values[0].line, 6u);
    EXPECT_EQ(other.values[1].number, 0xFFFFFFFFu);
    EXPECT_EQ(other.values[1].line, 8u);  // counted past the continued line
    EXPECT_EQ((*sections)[3].name, "Old");
    EXPECT_TRUE((*sections)[3].remove);
}

TEST(RegistryTextParser, ErrorsNameTheLineAndReturnNothing) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\S]\n";
    struct Case {
        std::string file;
        std::string start;
    };
    for (const Case& c : {
             Case{kHeader + key + "\"A\"=hex:01,\\\n 02\n\"B\"=dword:\n", "line 5:"},
             Case{kHeader + key + "\"A\"=hex(4):01,02,03\n", "line 3:"},
             Case{kHeader + "[-HKEY_CURRENT_USER\\Software\\Quillfen]\n", "line 2:"},
             Case{kHeader + "[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\" +
                      std::string(300, 'x') + "]\n",
                  "line 2:"},
             Case{"\xFF\xFE\x57", "the file"},
         }) {
        std::string error;
        EXPECT_FALSE(RegistryTextParser::Parse(c.file, &error)) << c.file;
        EXPECT_EQ(error.rfind(c.start, 0), 0u) << error;
    }
}

}  // namespace
}  // namespace tinsori
