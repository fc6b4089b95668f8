#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "player/ContextHelp.h"
#include "ui_win32/HelpPages.h"

// The help pages travel inside tinsori.exe and reach the browser as files: every topic F1 can
// ask for must arrive, byte for byte the Linux window's page.

namespace tinsori {

namespace {

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(HelpPages, EveryTopicIsWrittenAsShipped) {
    const std::filesystem::path folder = HelpPages::WriteAll();
    ASSERT_FALSE(folder.empty());
    const std::filesystem::path shipped = TINSORI_SOURCE_DIR "/src/ui/resources/help";
    for (int topic = kHelpContents; topic <= kHelpWind; ++topic) {
        ContextHelp help;
        help.Set(topic);
        const std::string page = HelpPageOf(help.Keyword());
        const std::string written = Bytes(folder / page);
        EXPECT_FALSE(written.empty()) << page;
        EXPECT_EQ(written, Bytes(shipped / page)) << page;
    }
    EXPECT_EQ(Bytes(folder / "help.css"), Bytes(shipped / "help.css"));
}

}  // namespace tinsori
