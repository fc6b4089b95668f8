#include "player/PlayerStatus.h"

#include "platform/Texts.h"
#include "player/Player.h"

// What the player is doing, in the words the window's bottom line and the tray's tip use.

namespace tinsori {

std::string MinutesSeconds(uint32_t ms) {
    const uint32_t seconds = ms / 1000 + (ms % 1000 != 0);
    const uint32_t ss = seconds % 60;
    return std::to_string(seconds / 60) + (ss < 10 ? ":0" : ":") + std::to_string(ss);
}

std::string Player::StatusText() {
    std::string text;
    if (paused()) {
        text = TextCatalogue::Words(kTextPaused);
    } else {
        text = handle_.describe();
        if (text.empty())
            text = lostOutput_ ? TextCatalogue::Words(kTextNoSoundStopped, {lostOutput_->port})
                               : TextCatalogue::Words(kTextNoSoundDevice);
    }
    const uint32_t now = timebase_.clock().now();
    if (sleep_.running())
        text =
            TextCatalogue::Words(kTextWithSleep, {text, MinutesSeconds(sleep_.remainingMs(now))});
    return text;
}

}  // namespace tinsori
