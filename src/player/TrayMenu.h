#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tinsori {

// One entry of the tray icon's popup menu, for the GUI to turn into a real menu.
struct MenuEntry {
    std::string text;  // with '&' before the mnemonic letter, "&&" for a literal '&'
    int id = 0;        // the command; 0 for a separator and a submenu's title
    bool checked = false;
    bool separator = false;
    std::vector<MenuEntry> submenu;  // not empty: a submenu titled `text`

    bool operator==(const MenuEntry&) const = default;
};

// Command ids of the menu.
inline constexpr int kExitCommand = 1;
inline constexpr int kPauseCommand = 1046;
inline constexpr int kSettingsCommand = 8888;
// Sleep: Off, the running length again, or a number of minutes (kSleepOffCommand + minutes).
inline constexpr int kSleepOffCommand = 9000;
inline constexpr int kSleepAgainCommand = 9001;
inline constexpr int kSleepLastCommand = 9099;
// Output i of the Output submenu.
inline constexpr int kOutputFirstCommand = 9100;
inline constexpr int kOutputLimit = 100;

// The lengths the Sleep submenu offers, in minutes.
const std::vector<int>& SleepMenuMinutes();
// The length a Sleep command of a number of minutes (above kSleepAgainCommand) stands for.
uint32_t SleepCommandLengthMs(int id);

// What the menu shows, gathered by the player when the menu opens.
struct TrayMenuState {
    // "Item0".."Item<NumItems - 1>" of the recent list, oldest first; empty for a gap.
    std::vector<std::string> recent;
    // The last recent entry names the favorite the current settings equal.
    bool lastRecentIsCurrent = false;
    bool paused = false;
    // The Output submenu (left out when empty): each output's menu text, and which one plays.
    std::vector<std::string> outputs;
    int currentOutput = -1;
    // The sleep timer; a length none of the offered ones matches gets an entry of its own.
    bool sleepRunning = false;
    uint32_t sleepLengthMs = 0;
    uint32_t sleepRemainingMs = 0;
};

// The popup menu from the top: "E&xit", a separator, the recent favorites (ids 7777 + i, gaps
// left out) and a separator when there are any, "&Settings...", the Output and Sleep submenus,
// and "&Pause" or "&Continue".
std::vector<MenuEntry> BuildTrayMenu(const TrayMenuState& state);

// The icon's tip: the program's line, and under it `status` (Player::StatusText).
std::string TrayTip(const std::string& status);

}  // namespace tinsori
