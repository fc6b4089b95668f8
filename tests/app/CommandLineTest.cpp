#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/CommandOption.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

std::optional<CommandLine> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string message;
    auto line = CommandLine::Parse(args, message);
    if (error) *error = message;
    return line;
}

TEST(CommandLineTest, WordsWithoutDashesFormTheOriginalCommandLine) {
    auto line = Parse({"Settings,Calm,", "14,", "--no-gui", "404", "--minimized"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->settingsLine, "Settings,Calm, 14, 404");
    EXPECT_TRUE(line->noGui);
    EXPECT_TRUE(line->minimized);
    EXPECT_EQ(line->mode, RunMode::Play);
}

TEST(CommandLineTest, ValuesBothSeparateAndAfterEquals) {
    auto line = Parse({"--render", "x.mid", "--duration=2.5", "--seed", "7", "--profile=p.db",
                       "--midi-log", "m.log", "--output", "none"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->mode, RunMode::Render);
    EXPECT_EQ(line->renderFile, "x.mid");
    EXPECT_EQ(line->durationTicks(), 2500u);
    EXPECT_EQ(line->seed, 7u);
    EXPECT_EQ(line->profilePath, "p.db");
    EXPECT_EQ(line->midiLog, "m.log");
    EXPECT_EQ(line->output, "none");
}

TEST(CommandLineTest, DurationRoundsToTheNearestMillisecond) {
    EXPECT_EQ(Parse({"--render", "a.log", "--duration", "0.0004"})->durationTicks(), 0u);
    EXPECT_EQ(Parse({"--render", "a.log", "--duration", "0.0015"})->durationTicks(), 2u);
    EXPECT_EQ(Parse({"--render", "a.log", "--duration", "3600"})->durationTicks(), 3600000u);
    EXPECT_EQ(Parse({"--no-gui", "--sleep", "0.05"})->sleepTicks(), 3000u);
    EXPECT_EQ(Parse({"--render", "a.log", "--duration", "9", "--fade=2.5"})->fadeTicks(), 2500u);
}

TEST(CommandLineTest, UserMistakesGiveOneLine) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"--bogus"},
        {"--profile"},
        {"--render", "x.mid"},
        {"--render", "x.mid", "--duration", "abc"},
        {"--render", "x.mid", "--duration", "-1"},
        {"--render", "x.mid", "--duration", "nan"},
        {"--render", "x.mid", "--duration", "1e12"},
        {"--render", "x.mid", "--duration", "5", "--seed", "-3"},
        {"--render", "x.mid", "--duration", "5", "--seed", "99999999999"},
        {"--duration", "5"},
        {"--no-gui=yes"},
        {"--render", "x.mid", "--duration", "5", "--export-profile", "-"},
        {"-o", "none"},  // a short option we do not have: not a word of a Settings line
        {"typo"},        // a stray word would otherwise start endless playback
        {"none", "--no-gui"},
        {"--gain", "11"},
        {"--render", "x.mid", "--duration", "5", "--loudness", "-16"},
        {"--render", "x.wav", "--duration", "5", "--loudness", "-16", "--gain", "2"},
        {"--render", "x.wav", "--duration", "5", "--loudness", "0"},
        {"--no-gui", "--sleep", "0"},
        {"--no-gui", "--sleep", "2000"},
        {"--no-gui", "--fade", "5"},
        {"--render", "x.mid", "--duration", "5", "--fade", "-1"},
    };
    for (const auto& args : mistakes) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

// Every numeric option reads the same way: plain decimal, optional sign and fraction, no spaces.
TEST(CommandLineTest, NumbersArePlainDecimalsInRange) {
    const std::string tiny = "0." + std::string(330, '0') + "1";
    for (const std::string good : {"5", "+5", "-3.5", ".5", "5.", "-0", tiny.c_str()})
        EXPECT_TRUE(Parse({"--gain", good})) << good;
    for (const std::string bad :
         {"0x10", " 5", "5 ", "1e-320", "1e1", "inf", "nan", "", ".", "-", "5,0", "--5"})
        EXPECT_FALSE(Parse({"--gain", bad})) << bad;
    std::string error;
    EXPECT_FALSE(Parse({"--gain", "10.5"}, &error));
    EXPECT_NE(error.find("from -60 to 10"), std::string::npos) << error;
    EXPECT_FALSE(Parse({"--render", "x.mid", "--duration", "5", "--seed", "7.5"}, &error));
    EXPECT_NE(error.find("whole number from 0 to 4294967295"), std::string::npos) << error;
    EXPECT_EQ(Parse({"--render", "x.mid", "--duration", "5", "--seed", "4294967295"})->seed,
              4294967295u);
}

TEST(CommandLineTest, HelpAndVersionTakeOverAndTheFirstWins) {
    EXPECT_EQ(Parse({"-h"})->mode, RunMode::Help);
    EXPECT_EQ(Parse({"-V"})->mode, RunMode::Version);
    EXPECT_EQ(Parse({"--help", "--version"})->mode, RunMode::Help);
    EXPECT_EQ(Parse({"-V", "--help"})->mode, RunMode::Version);
    EXPECT_EQ(Parse({"--render", "x.mid", "--help"})->mode, RunMode::Help);
}

TEST(CommandLineTest, DoubleDashEndsTheOptions) {
    auto line = Parse({"--no-gui", "--", "Settings,--x", "-h"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->settingsLine, "Settings,--x -h");
    EXPECT_EQ(line->mode, RunMode::Play);
    EXPECT_EQ(Parse({"Settings,24,", "-3,", "404"})->settingsLine, "Settings,24, -3, 404");
}

TEST(CommandLineTest, ActionsAreRecognised) {
    EXPECT_EQ(Parse({"--version"})->mode, RunMode::Version);
    EXPECT_EQ(Parse({"--help"})->mode, RunMode::Help);
    EXPECT_EQ(Parse({"--list-outputs"})->mode, RunMode::ListOutputs);
    auto exported = Parse({"--export-profile", "-"});
    EXPECT_EQ(exported->mode, RunMode::ExportProfile);
    EXPECT_EQ(exported->profileFile, "-");
    EXPECT_EQ(Parse({"--import-profile", "f.reg"})->mode, RunMode::ImportProfile);
}

// An empty value would quietly mean the default: `--profile ""` the user's own profile.
TEST(CommandLineTest, EmptyValuesAreMistakes) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--profile", ""}, {"--soundfont="}, {"--midi-log", ""}, {"--output", ""}}) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error)) << args[0];
        EXPECT_NE(error.find("empty"), std::string::npos) << error;
    }
    EXPECT_FALSE(Parse({"-style", ""}));
}

TEST(CommandLineTest, QtOptionsGoToTheWindowOnly) {
    auto line = Parse({"-style", "fusion", "-reverse", "-platform=offscreen", "--minimized"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->toolkitArgs,
              (std::vector<std::string>{"-style", "fusion", "-reverse", "-platform", "offscreen"}));
    EXPECT_TRUE(line->minimized);
    EXPECT_FALSE(Parse({"--no-gui", "-style", "fusion"}));
    EXPECT_FALSE(Parse({"--render", "x.mid", "--duration", "1", "-reverse"}));
    EXPECT_FALSE(Parse({"-reverse=1"}));
}

// Each option column of the help: "  -V, --version    ..." gives "-V" and "--version".
std::set<std::string> HelpOptions(const std::string& help) {
    std::set<std::string> names;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  -", 0) != 0) continue;
        std::istringstream words(line.substr(0, line.find("  ", 2)));
        for (std::string word; words >> word;) {
            if (word.front() == '-')
                names.insert(word.back() == ',' ? word.substr(0, word.size() - 1) : word);
        }
    }
    return names;
}

std::set<std::string> TableOptions() {
    std::set<std::string> names;
    for (const CommandOption& option : CommandOptions()) {
        names.insert(option.name);
        if (option.shortName) names.insert(option.shortName);
    }
    return names;
}

TEST(CommandLineTest, HelpAndManPageListTheOptionsTheParserTakes) {
    EXPECT_EQ(HelpOptions(CommandLine::HelpText("p.db", "")), TableOptions());
    for (const std::string& name : TableOptions()) {
        std::string error;
        Parse({name}, &error);
        EXPECT_EQ(error.find("unknown"), std::string::npos) << error;
    }
    // help2man writes the page from --help when it is installed.
    const auto page = std::filesystem::path(TINSORI_BINARY).parent_path() / "tinsori.1";
    if (!std::filesystem::exists(page)) GTEST_SKIP() << "no man page built";
    std::ifstream in(page);
    const std::string man((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::string name : TableOptions()) {
        for (size_t at = 0; (at = name.find('-', at)) != std::string::npos; at += 2)
            name.replace(at, 1, "\\-");
        EXPECT_NE(man.find(name), std::string::npos) << name;
    }
}

class CommandLineEnvironmentTest : public testing::Test {
protected:
    std::string Check(const std::vector<std::string>& args) {
        std::string error;
        auto line = Parse(args, &error);
        if (!line) return "parse: " + error;
        bool ok = line->CheckEnvironment(
            [] {
                return std::vector<OutputListing>{
                    {"fluidsynth", "Embedded synthesizer"},
                    PortListing("Midi Through:Midi Through Port-0 14:0"),
                    {"none", "None"}};
            },
            [] {
                return std::vector<std::string>{"pulseaudio", "alsa"};
            },
            error);
        return ok ? "" : error;
    }
    testing_support::TempFolder folder_;
};

TEST_F(CommandLineEnvironmentTest, SoundfontMustBeAReadableSoundfont) {
    EXPECT_NE(Check({"--soundfont", folder_.file("missing.sf2")}), "");
    EXPECT_NE(Check({"--soundfont", folder_.path().string()}), "");
    std::ofstream((folder_ / "text.sf2").string()) << "a readable text file";
    EXPECT_NE(Check({"--soundfont", (folder_ / "text.sf2").string()}), "");
    std::ofstream((folder_ / "ok.sf2").string()) << std::string("RIFF\0\0\0\0sfbk", 12);
    EXPECT_EQ(Check({"--soundfont", (folder_ / "ok.sf2").string()}), "");
}

TEST_F(CommandLineEnvironmentTest, RenderFileMustBeWritableWithoutBeingCreated) {
    const auto target = folder_ / "out.mid";
    EXPECT_EQ(Check({"--render", target.string(), "--duration", "1"}), "");
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_NE(Check({"--render", (folder_ / "no/such/out.mid").string(), "--duration", "1"}), "");
    EXPECT_NE(Check({"--render", folder_.path().string(), "--duration", "1"}), "");
    EXPECT_NE(Check({"--midi-log", (folder_ / "no/such/m.log").string()}), "");
    if (geteuid() != 0) {
        chmod(folder_.path().c_str(), 0500);
        EXPECT_NE(Check({"--render", target.string(), "--duration", "1"}), "");
    }
}

TEST_F(CommandLineEnvironmentTest, OutputAndAudioDriverMustBeWholeKnownNames) {
    EXPECT_EQ(Check({"--output", "FluidSynth"}), "");
    EXPECT_EQ(Check({"--output", "none"}), "");
    EXPECT_EQ(Check({"--output", "14:0"}), "");
    EXPECT_EQ(Check({"--output", "Midi Through:Midi Through Port-0"}), "");
    // Remembered in the profile, a fragment would fail every later run.
    for (const char* wrong : {"Nowhere", "flu", "n", "", "Midi Through", "4:0"})
        EXPECT_NE(Check({"--output", wrong}), "") << wrong;
    EXPECT_EQ(Check({"--audio-driver", "alsa"}), "");
    EXPECT_NE(Check({"--audio-driver", "pipewire"}), "");
    // It fills a file in the current folder while the user waits for sound.
    EXPECT_NE(Check({"--audio-driver", "file"}).find("--render"), std::string::npos);
}

TEST_F(CommandLineEnvironmentTest, RenderEndingMustBeOneWeWrite) {
    for (const char* name : {"a.midi", "a.MID", "a.txt", "a.log", "a.wav", "a.aiff"})
        EXPECT_EQ(Check({"--render", folder_.file(name), "--duration", "1"}), "") << name;
    EXPECT_NE(Check({"--render", folder_.file("a.xyz"), "--duration", "1"}), "");
}

}  // namespace
}  // namespace tinsori
