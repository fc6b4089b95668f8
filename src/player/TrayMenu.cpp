#include "player/TrayMenu.h"

#include <algorithm>

#include "ProgramVersion.h"

#include "platform/Texts.h"
#include "settings/RecentFavorites.h"

namespace tinsori {

namespace {

constexpr uint32_t kMinuteMs = 60000;
constexpr uint32_t kSecondMs = 1000;

MenuEntry Command(std::string text, int id, bool checked = false) {
    MenuEntry entry;
    entry.text = std::move(text);
    entry.id = id;
    entry.checked = checked;
    return entry;
}

MenuEntry Separator() {
    MenuEntry entry;
    entry.separator = true;
    return entry;
}

std::string LengthText(uint32_t ms) {
    if (ms % kMinuteMs == 0)
        return TextCatalogue::Words(kTextMinutes, {std::to_string(ms / kMinuteMs)});
    return TextCatalogue::Words(kTextSeconds, {std::to_string((ms + kSecondMs - 1) / kSecondMs)});
}

// The length of a running sleep with what is left of it.
std::string WithTimeLeft(const std::string& length, uint32_t ms) {
    if (ms >= kMinuteMs)
        return TextCatalogue::Words(kTextMinutesLeft,
                                    {length, std::to_string((ms + kMinuteMs - 1) / kMinuteMs)});
    return TextCatalogue::Words(kTextSecondsLeft,
                                {length, std::to_string((ms + kSecondMs - 1) / kSecondMs)});
}

void AppendRecent(const TrayMenuState& state, std::vector<MenuEntry>& menu) {
    // Only seven commands exist; a damaged count must not reach ids that mean something else.
    const int count = std::min<int>(static_cast<int>(state.recent.size()), kRecentLimit);
    if (count == 0) return;
    for (int i = 0; i < count; ++i) {
        if (state.recent[i].empty()) continue;
        menu.push_back(Command(state.recent[i], kRecentFirstCommand + i,
                               i == count - 1 && state.lastRecentIsCurrent));
    }
    menu.push_back(Separator());
}

MenuEntry OutputMenu(const TrayMenuState& state) {
    MenuEntry output;
    output.text = TextCatalogue::Words(kTextOutput);
    const int count = std::min<int>(static_cast<int>(state.outputs.size()), kOutputLimit);
    for (int i = 0; i < count; ++i)
        output.submenu.push_back(
            Command(state.outputs[i], kOutputFirstCommand + i, i == state.currentOutput));
    return output;
}

MenuEntry SleepMenu(const TrayMenuState& state) {
    MenuEntry sleep;
    sleep.text = TextCatalogue::Words(kTextSleep);
    sleep.submenu.push_back(
        Command(TextCatalogue::Words(kTextSleepOff), kSleepOffCommand, !state.sleepRunning));
    const uint32_t left = state.sleepRemainingMs;
    bool shown = !state.sleepRunning;
    for (const int minutes : SleepMenuMinutes()) {
        const uint32_t length = minutes * kMinuteMs;
        // A length given on the command line goes in its place among the others.
        if (!shown && state.sleepLengthMs < length) {
            sleep.submenu.push_back(Command(WithTimeLeft(LengthText(state.sleepLengthMs), left),
                                            kSleepAgainCommand, true));
            shown = true;
        }
        const bool running = !shown && state.sleepLengthMs == length;
        shown = shown || running;
        sleep.submenu.push_back(
            Command(running ? WithTimeLeft(LengthText(length), left) : LengthText(length),
                    kSleepOffCommand + minutes, running));
    }
    if (!shown)
        sleep.submenu.push_back(
            Command(WithTimeLeft(LengthText(state.sleepLengthMs), left), kSleepAgainCommand, true));
    return sleep;
}

}  // namespace

const std::vector<int>& SleepMenuMinutes() {
    static const std::vector<int> minutes = {15, 30, 45, 60, 90};
    return minutes;
}

uint32_t SleepCommandLengthMs(int id) {
    return static_cast<uint32_t>(id - kSleepOffCommand) * kMinuteMs;
}

std::vector<MenuEntry> BuildTrayMenu(const TrayMenuState& state) {
    std::vector<MenuEntry> menu;
    menu.push_back(Command(TextCatalogue::Words(kTextExit), kExitCommand));
    menu.push_back(Separator());
    AppendRecent(state, menu);
    menu.push_back(Command(TextCatalogue::Words(kTextSettingsCommand), kSettingsCommand));
    if (!state.outputs.empty()) menu.push_back(OutputMenu(state));
    menu.push_back(SleepMenu(state));
    menu.push_back(
        Command(TextCatalogue::Words(state.paused ? kTextContinueCommand : kTextPauseCommand),
                kPauseCommand));
    return menu;
}

std::string TrayTip(const std::string& status) {
    const std::string first = TextCatalogue::Words(kTextListening, {TINSORI_VERSION_SHORT});
    return status.empty() ? first : first + "\n" + status;
}

}  // namespace tinsori
