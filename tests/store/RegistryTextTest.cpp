#include "store/RegistryText.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/TempFolder.h"

namespace tinsori {
namespace {

class RegistryTextTest : public ::testing::Test {
protected:
    // Each in a folder of its own: on Windows, where a profile is a registry key, the keys of
    // profiles in one folder would lie beside each other and show in each other's exports.
    std::unique_ptr<ProfileStore> open(const std::string& name) {
        return ProfileStore::Open(folder_.file(name + "/profile"));
    }
    static std::string exported(ProfileStore& store) {
        std::ostringstream out;
        EXPECT_TRUE(ExportProfile(store, out));
        return out.str();
    }
    static bool import(ProfileStore& store, const std::string& text, std::string* error = nullptr) {
        std::istringstream in(text);
        std::string ignored;
        return ImportProfile(store, in, error ? error : &ignored);
    }

    testing_support::TempFolder folder_;
};

TEST_F(RegistryTextTest, ExportsTheRegistryEditorFormat) {
    auto store = open("a.db");
    store->WriteInt("Settings", "Wind Speed", 404);
    // Written in name order: wine's registry lists values by name, Windows' and the file's in
    // the order written.
    const uint8_t bytes[] = {0xAA, 0xBB};
    const std::string bin = "Bin";
    store->WriteValue("Scale 1", &bin, bytes, kKindBinary, 2);
    const std::string name = "Say \"hi\" C:\\x";
    store->WriteString("Scale 1", "Name", &name);
    EXPECT_EQ(exported(*store),
              "Windows Registry Editor Version 5.00\n"
              "\n[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\Scale 1]\n"
              "\"Bin\"=hex:aa,bb\n"
              "\"Name\"=\"Say \\\"hi\\\" C:\\\\x\"\n"
              "\n[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\Settings]\n"
              "\"Wind Speed\"=dword:00000194\n");
}

TEST_F(RegistryTextTest, RoundTripKeepsEveryKindExactly) {
    auto source = open("a.db");
    const std::string texts[] = {"",
                                 "Rain\xEF\xBE\xAB Storm,0,1,2",  // U+FFAB stands for a comma
                                 "back\\slash \"quoted\" \\\"",
                                 "  spaces  ",
                                 "line\r\nbreak\tand tab",
                                 "\xF0\x9F\x8E\x90 chimes"};
    for (size_t i = 0; i < std::size(texts); ++i) {
        source->WriteString("Favorites", "Favorite" + std::to_string(i + 1), &texts[i]);
    }
    source->WriteInt("Settings", "Transpose", -3);
    source->WriteInt("Settings", "Big", INT32_MIN);
    std::vector<uint8_t> longBinary(60);
    for (size_t i = 0; i < longBinary.size(); ++i) longBinary[i] = static_cast<uint8_t>(i * 37);
    const std::string bin = "Bin", empty = "", odd = "we\"ird\\name";
    source->WriteValue("Data", &bin, longBinary.data(), kKindBinary, 60);
    source->WriteValue("Data", &empty, longBinary.data(), kKindBinary, 0);
    source->WriteInt("Data", odd, 7);
    source->WriteString("Empty Section", "x", nullptr);
    source->WriteInt("-Beside", "v", 1);
    source->WriteInt("Nested\\Path", "v", 2);
    const std::string first = exported(*source);

    auto target = open("b.db");
    std::string error;
    ASSERT_TRUE(import(*target, first, &error)) << error;
    EXPECT_EQ(exported(*target), first);
    for (const std::string& section : source->SectionNames()) {
        for (const std::string& name : source->ValueNames(section)) {
            std::vector<uint8_t> a, b;
            uint32_t sizeA = UINT32_MAX, sizeB = UINT32_MAX;
            EXPECT_EQ(source->QueryValue(section, name, a, sizeA),
                      target->QueryValue(section, name, b, sizeB));
            EXPECT_EQ(a, b) << section << "/" << name;
        }
    }
}

TEST_F(RegistryTextTest, ExportLeavesOutOnlyWhatCouldNotBeReadBack) {
    auto source = open("a.db");
    source->WriteInt("Settings", "Line\nBreak", 1);
    source->WriteInt("Settings", "Kept", 2);
    std::ostringstream out;
    std::vector<std::string> leftOut;
    ASSERT_TRUE(ExportProfile(*source, out, &leftOut));
    ASSERT_EQ(leftOut.size(), 1u);
    EXPECT_NE(leftOut[0].find("Line\nBreak"), std::string::npos);
    auto target = open("b.db");
    std::string error;
    ASSERT_TRUE(import(*target, out.str(), &error)) << error;
    EXPECT_EQ(target->ValueNames("Settings"), std::vector<std::string>{"Kept"});
}

TEST_F(RegistryTextTest, AWriteTheStoreRefusesUndoesTheWholeImport) {
    auto store = open("a.db");
    store->WriteInt("Settings", "Channel", 2);
    std::vector<RegistryTextSection> sections(2);
    sections[0].name = "Settings";
    sections[0].values.push_back({"Channel", false, kKindInteger, "", 9, {}, 3});
    sections[0].values.push_back({"New", false, kKindInteger, "", 1, {}, 4});
    sections[1].name = std::string(256, 's');  // longer than any store takes
    sections[1].values.push_back({"v", false, kKindInteger, "", 1, {}, 7});
    std::string error;
    EXPECT_FALSE(ApplyRegistryText(*store, sections, &error));
    EXPECT_EQ(error.rfind("line 7:", 0), 0u) << error;
    EXPECT_EQ(store->ReadInt("Settings", "Channel", 0), 2);
    EXPECT_EQ(store->ReadInt("Settings", "New", -1), -1);
}

TEST_F(RegistryTextTest, ReadsUtf16WithByteOrderMarkAndCrLf) {
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\Favorites]\r\n"
        u"\"Favorite1\"=\"Rain\uFFABStorm \U0001F390\"\r\n"
        u"\"Last\"=dword:00000001\r\n";
    std::string file = "\xFF\xFE";
    for (char16_t unit : text) {
        file += static_cast<char>(unit & 0xFF);
        file += static_cast<char>(unit >> 8);
    }
    auto store = open("a.db");
    std::string error;
    ASSERT_TRUE(import(*store, file, &error)) << error;
    std::string buffer;
    store->ReadString("Favorites", "Favorite1", buffer, 510);
    EXPECT_EQ(buffer, "Rain\xEF\xBE\xABStorm \xF0\x9F\x8E\x90");
    EXPECT_EQ(store->ReadInt("Favorites", "Last", 0), 1);
}

TEST_F(RegistryTextTest, ImportMergesRemovesAndJoinsContinuedLines) {
    auto store = open("a.db");
    store->WriteInt("Old", "v", 1);
    store->WriteInt("Keep", "gone", 1);
    store->WriteInt("Keep", "stays", 2);
    ASSERT_TRUE(import(*store,
                       "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
                       "; a comment\n"
                       "[-HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\Old]\n"
                       "[hkey_current_user\\software\\quillfen\\tinsori\\Keep]\n"
                       "\"gone\"=-\n"
                       "\"Bin\"=hex:01,02,\\\n"
                       "  03\n"
                       "\"Text\"=hex(1):41,00,42,00,00,00\n"
                       "@=hex(4):2c,01,00,00\n"));
    EXPECT_TRUE(store->ValueNames("Old").empty());
    EXPECT_EQ(store->ReadInt("Keep", "gone", -1), -1);
    EXPECT_EQ(store->ReadInt("Keep", "stays", 0), 2);
    std::vector<uint8_t> data;
    uint32_t size = 100;
    EXPECT_EQ(store->QueryValue("Keep", "Bin", data, size), kKindBinary);
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 3}));
    std::string text;
    EXPECT_EQ(store->ReadString("Keep", "Text", text, 100), kKindString);
    EXPECT_EQ(text, "AB");
    EXPECT_EQ(store->ReadInt("Keep", "", 0), 300);
}

TEST_F(RegistryTextTest, MalformedFileChangesNothing) {
    const std::string header = "Windows Registry Editor Version 5.00\n";
    const std::string good =
        "[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\Settings]\n\"Channel\"=dword:00000009\n";
    const std::string bad[] = {
        "REGEDIT4\n" + good,
        header + "\"Channel\"=dword:1\n",
        header + good + "\"Wind\"=dword:xyz\n",
        header + good + "\"Wind\"=dword:123456789\n",
        header + good + "\"Name\"=\"unclosed\n",
        header + good + "\"Name\"=\"bad \\n escape\"\n",
        header + good + "\"Name\"=\"text\" trailing\n",
        header + good + "\"Multi\"=hex(7):41,00,00,00\n",
        header + good + "\"Bin\"=hex:1,2zz\n",
        header + good + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillfen\\Tinsori\\Settings]\n",
        header + good + "[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\*Machine]\n",
        header + good + "[HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori\\Open\n",
        header + good + "[-HKEY_CURRENT_USER\\Software\\Quillfen\\Tinsori]\n",
        header + good + "Channel=dword:00000001\n",
        "",
    };
    auto store = open("a.db");
    store->WriteInt("Settings", "Channel", 2);
    const std::string before = exported(*store);
    for (const std::string& file : bad) {
        std::string error;
        EXPECT_FALSE(import(*store, file, &error)) << file;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(exported(*store), before) << file;
    }
    std::string error;
    import(*store, header + good + "\"Wind\"=dword:xyz\n", &error);
    EXPECT_EQ(error.rfind("line 4:", 0), 0u) << error;
}

}  // namespace
}  // namespace tinsori
