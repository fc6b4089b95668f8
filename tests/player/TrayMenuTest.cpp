#include "player/TrayMenu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "player/OutputCatalog.h"
#include "settings/RecentFavorites.h"

namespace tinsori {
namespace {

std::vector<std::string> Texts(const std::vector<MenuEntry>& menu) {
    std::vector<std::string> texts;
    for (const MenuEntry& entry : menu) texts.push_back(entry.separator ? "-" : entry.text);
    return texts;
}

const MenuEntry& Submenu(const std::vector<MenuEntry>& menu, const std::string& title) {
    for (const MenuEntry& entry : menu)
        if (entry.text == title) return entry;
    static const MenuEntry none;
    ADD_FAILURE() << "no submenu " << title;
    return none;
}

TEST(TrayMenuTest, EmptyRecentListGivesOneSeparator) {
    const auto menu = BuildTrayMenu({});
    EXPECT_EQ(Texts(menu),
              (std::vector<std::string>{"E&xit", "-", "&Settings...", "Sleep", "&Pause"}));
    EXPECT_EQ(menu[0].id, kExitCommand);
    EXPECT_EQ(menu[2].id, kSettingsCommand);
    EXPECT_EQ(menu.back().id, kPauseCommand);
}

TEST(TrayMenuTest, RecentNamesKeepTheirIdsAcrossGapsAndOnlyTheLastIsChecked) {
    TrayMenuState state;
    state.recent = {"Calm", "", "Storm"};
    state.lastRecentIsCurrent = true;
    state.paused = true;
    const auto menu = BuildTrayMenu(state);
    EXPECT_EQ(Texts(menu), (std::vector<std::string>{"E&xit", "-", "Calm", "Storm", "-",
                                                     "&Settings...", "Sleep", "&Continue"}));
    EXPECT_EQ(menu[2].id, 7777);
    EXPECT_FALSE(menu[2].checked);
    EXPECT_EQ(menu[3].id, 7779);
    EXPECT_TRUE(menu[3].checked);

    // A gap in the last place: nothing carries the check.
    state.recent = {"Calm", "Storm", ""};
    for (const MenuEntry& entry : BuildTrayMenu(state)) EXPECT_FALSE(entry.checked) << entry.text;

    // A damaged count never reaches ids beyond the seven recent commands.
    state.recent.assign(12, "Name");
    int recent = 0;
    for (const MenuEntry& entry : BuildTrayMenu(state)) {
        if (entry.text != "Name") continue;
        ++recent;
        EXPECT_LT(entry.id, kRecentFirstCommand + 7);
    }
    EXPECT_EQ(recent, 7);
}

TEST(TrayMenuTest, SleepSubmenuChecksTheRunningLengthAndShowsTheTimeLeft) {
    TrayMenuState state;
    auto sleep = Submenu(BuildTrayMenu(state), "Sleep").submenu;
    EXPECT_EQ(Texts(sleep), (std::vector<std::string>{"Off", "15 minutes", "30 minutes",
                                                      "45 minutes", "60 minutes", "90 minutes"}));
    EXPECT_TRUE(sleep[0].checked);
    EXPECT_EQ(sleep[2].id, kSleepOffCommand + 30);

    state.sleepRunning = true;
    state.sleepLengthMs = 30 * 60000;
    state.sleepRemainingMs = 12 * 60000 + 1;
    sleep = Submenu(BuildTrayMenu(state), "Sleep").submenu;
    EXPECT_FALSE(sleep[0].checked);
    EXPECT_EQ(sleep[2].text, "30 minutes (13 min left)");
    EXPECT_TRUE(sleep[2].checked);
    EXPECT_EQ(std::count_if(sleep.begin(), sleep.end(), [](auto& e) { return e.checked; }), 1);

    // A length from the command line gets its own entry in its place.
    state.sleepLengthMs = 20 * 60000;
    state.sleepRemainingMs = 45000;
    sleep = Submenu(BuildTrayMenu(state), "Sleep").submenu;
    ASSERT_EQ(sleep.size(), 7u);
    EXPECT_EQ(sleep[2].text, "20 minutes (45 s left)");
    EXPECT_EQ(sleep[2].id, kSleepAgainCommand);
    EXPECT_TRUE(sleep[2].checked);
    state.sleepLengthMs = 120 * 60000;
    EXPECT_EQ(Submenu(BuildTrayMenu(state), "Sleep").submenu.back().id, kSleepAgainCommand);
}

TEST(TrayMenuTest, OutputsAreFoundTheWayTheCommandLineFindsThem) {
    const std::vector<OutputListing> names = {
        {"fluidsynth", "Embedded synthesizer"},
        PortListing("FLUID Synth (128):Synth input port (128:0)"),
        PortListing("Midi Through:Midi Through Port-0 (14:0)"),
        {"none", "None"}};
    EXPECT_EQ(FindOutput(names, ""), 0);
    EXPECT_EQ(FindOutput(names, "FluidSynth"), 0);
    EXPECT_EQ(FindOutput(names, "14:0"), 2);
    EXPECT_EQ(FindOutput(names, "FLUID Synth (128):Synth input port"), 1);
    EXPECT_EQ(FindOutput(names, "FLUID"), -1);  // whole names only
    EXPECT_EQ(FindOutput(names, "NONE"), 3);
    EXPECT_EQ(FindOutput(names, "fluid"), -1);
    EXPECT_EQ(FindOutput(names, "20:0"), -1);
    EXPECT_EQ(PortListing("Rock & Roll:out").menuText, "Rock && Roll:out");
}

TEST(TrayMenuTest, TheTipPutsTheStateUnderTheProgramsLine) {
    EXPECT_EQ(TrayTip("").find('\n'), std::string::npos);
    const std::string tip = TrayTip("Paused");
    EXPECT_EQ(tip.substr(0, tip.find('\n')), TrayTip(""));
    EXPECT_EQ(tip.substr(tip.find('\n') + 1), "Paused");
}

}  // namespace
}  // namespace tinsori
