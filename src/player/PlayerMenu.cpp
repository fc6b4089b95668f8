#include <algorithm>

#include "platform/Texts.h"
#include "player/Player.h"
#include "settings/Favorites.h"
#include "settings/RecentFavorites.h"

// The tray icon's popup menu: what it lists when it opens, and its commands.

namespace tinsori {

// The rest of the tray menu is on the window already.
std::vector<MenuEntry> Player::WindowMenu() {
    std::vector<MenuEntry> entries;
    for (MenuEntry& entry : TrayMenu()) {
        if (!entry.submenu.empty() || entry.id == kPauseCommand)
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<MenuEntry> Player::TrayMenu() {
    TrayMenuState state;
    const int count = std::min(RecentFavoriteCount(store_), kRecentLimit);
    for (int i = 0; i < count; ++i) state.recent.push_back(ReadRecentFavorite(store_, i));
    if (count > 0 && !state.recent.back().empty()) {
        std::string current;
        state.lastRecentIsCurrent =
            FindCurrentFavorite(favorites_, &current) >= 0 && current == state.recent.back();
    }
    state.paused = settings_.paused != 0;
    menuOutputs_.clear();
    if (outputs_.open) {
        menuOutputs_ = outputs_.list();
        for (const OutputListing& output : menuOutputs_) state.outputs.push_back(output.menuText);
        state.currentOutput = FindOutput(menuOutputs_, outputs_.current);
    }
    const uint32_t now = timebase_.clock().now();
    state.sleepRunning = sleep_.running();
    state.sleepLengthMs = sleep_.lengthMs();
    state.sleepRemainingMs = sleep_.remainingMs(now);
    return BuildTrayMenu(state);
}

MenuAction Player::OnMenuCommand(int id) {
    if (id == kExitCommand) return MenuAction::Exit;
    if (id == kSettingsCommand) return MenuAction::ShowWindow;
    if (id == kPauseCommand) {
        OnPauseCommand();
    } else if (id >= kRecentFirstCommand && id < kRecentFirstCommand + kRecentLimit) {
        OnRecentFavoriteCommand(favorites_, id);
    } else if (id >= kOutputFirstCommand &&
               id - kOutputFirstCommand < static_cast<int>(menuOutputs_.size())) {
        const OutputListing output = menuOutputs_[id - kOutputFirstCommand];
        const OutputSwitchResult result = SwitchOutput(output.name);
        if (!result.switched)
            view_.ShowMessage(
                TextCatalogue::Words(kTextCannotPlayOn, {output.menuText, result.error}),
                TextCatalogue::Words(kTextOutput));
    } else if (id == kSleepOffCommand) {
        StopSleep();
    } else if (id == kSleepAgainCommand) {
        if (sleep_.lengthMs() > 0) StartSleep(sleep_.lengthMs(), sleepEnd_);
    } else if (id > kSleepAgainCommand && id <= kSleepLastCommand) {
        StartSleep(SleepCommandLengthMs(id), sleepEnd_);
    }
    return MenuAction::None;
}

}  // namespace tinsori
