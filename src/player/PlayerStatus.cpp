#include "player/PlayerStatus.h"

#include "player/Player.h"

// What the player is doing, in the words the window's bottom line and the tray's tip use.

namespace tinsori {

namespace {

constexpr char kSeparator[] = " \xc2\xb7 ";

}  // namespace

std::string MinutesSeconds(uint32_t ms) {
    const uint32_t seconds = ms / 1000 + (ms % 1000 != 0);
    const uint32_t ss = seconds % 60;
    return std::to_string(seconds / 60) + (ss < 10 ? ":0" : ":") + std::to_string(ss);
}

std::string Player::StatusText() {
    std::string text;
    if (paused()) {
        text = "Paused";
    } else {
        text = handle_.describe();
        if (text.empty() && opening_.pending()) text = "Opening the output";
        if (!text.empty() && !interruption_.empty())
            text = "No sound: " + interruption_ + "; trying again";
        else if (text.empty())
            text = lostOutput_ ? "No sound: " + lostOutput_->port + " stopped" : "No sound device";
    }
    const uint32_t now = timebase_.clock().now();
    if (sleep_.running())
        text += kSeparator + ("Sleep in " + MinutesSeconds(sleep_.remainingMs(now)));
    return text;
}

}  // namespace tinsori
