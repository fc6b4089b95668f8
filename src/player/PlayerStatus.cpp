#include "player/PlayerStatus.h"

#include <utility>

#include "midi/ports/OutputNames.h"
#include "platform/AsciiCase.h"
#include "platform/Texts.h"
#include "player/Player.h"
#include "settings/StringTable.h"

// What the player is doing, in the words the window's bottom line and the tray's tip use.

namespace tinsori {

namespace {

constexpr char kSeparator[] = " \xc2\xb7 ";

std::string Joined(std::initializer_list<const std::string*> parts) {
    std::string text;
    for (const std::string* part : parts) {
        if (part->empty()) continue;
        if (!text.empty()) text += kSeparator;
        text += *part;
    }
    return text;
}

// "Embedded synthesizer (pulseaudio)" without the driver, which matters least; translations keep
// the driver last in brackets.
std::string WithoutDetail(const std::string& output) {
    const size_t open = output.rfind(" (");
    if (open == std::string::npos || output.back() != ')') return output;
    return output.substr(0, open);
}

}  // namespace

std::string MinutesSeconds(uint32_t ms) {
    const uint32_t seconds = ms / 1000 + (ms % 1000 != 0);
    const uint32_t ss = seconds % 60;
    return std::to_string(seconds / 60) + (ss < 10 ? ":0" : ":") + std::to_string(ss);
}

// A port no longer listed is still a port unless it is the embedded synthesizer.
bool Player::outputIsPort() const {
    if (!outputs_.list) return false;
    const std::vector<OutputListing> listed = outputs_.list();
    const int at = FindOutput(listed, outputs_.current);
    return at < 0 ? !outputs_.current.empty() &&
                        !EqualsIgnoringCase(outputs_.current, kFluidSynthOutput)
                  : listed[at].port;
}

Player::Message Player::NoDeviceMessage() const {
    if (outputIsPort())
        return {LoadResString(kStringNoMidiDevice), LoadResString(kStringNoMidiDeviceCaption)};
    const std::string why =
        openError_.empty() ? TextCatalogue::Words(kTextOutputDidNotOpen) : openError_;
    return {TextCatalogue::Words(kTextNoSound, {why}), TextCatalogue::Words(kTextNoSoundCaption)};
}

std::string Player::StatusText() {
    return StatusTexts().front();
}

std::vector<std::string> Player::StatusTexts() {
    std::string output, hint;
    // A pause or missing sound is what the user acts on; the output's name is only where it goes.
    bool outputIsState = true;
    if (paused()) {
        output = TextCatalogue::Words(kTextPaused);
    } else if (EqualsIgnoringCase(outputs_.current, kNoOutput)) {
        // Remembered from an earlier run, it would otherwise silence every start without a word.
        output = TextCatalogue::Words(kTextOutputIsNone);
        hint = TextCatalogue::Words(kTextChooseAnotherOutput);
    } else {
        output = handle_.describe();
        outputIsState = output.empty() || !interruption_.empty();
        if (!output.empty() && !interruption_.empty())
            output = TextCatalogue::Words(kTextTryingAgain, {interruption_});
        else if (output.empty() && opening_.pending())
            output = TextCatalogue::Words(kTextOpeningOutput);
        else if (output.empty())
            output = lostOutput_ ? TextCatalogue::Words(kTextNoSoundStopped, {lostOutput_->port})
                                 : TextCatalogue::Words(kTextNoSoundDevice);
    }
    std::string sleep;
    if (sleep_.running())
        sleep = TextCatalogue::Words(kTextSleepIn,
                                     {MinutesSeconds(sleep_.remainingMs(timebase_.clock().now()))});
    const std::string shortOutput = outputIsState ? output : WithoutDetail(output);
    // The last resort keeps the state alone: a pause, no sound, the time left.
    const std::string essential =
        outputIsState ? Joined({&output, &sleep}) : (sleep.empty() ? shortOutput : sleep);
    return {Joined({&output, &hint, &sleep}), Joined({&shortOutput, &sleep}), essential};
}

const StatusLine& Player::FitStatus(int width, const TextWidth& measure) {
    std::vector<std::string> texts = StatusTexts();
    if (texts != fittedTexts_ || width != fittedWidth_) {
        fitted_ = FitStatusLine(texts, width, measure);
        fittedTexts_ = std::move(texts);
        fittedWidth_ = width;
    }
    return fitted_;
}

}  // namespace tinsori
