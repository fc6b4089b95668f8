#include "player/PauseButtonText.h"

#include "settings/StringTable.h"

namespace tinsori {

namespace {

constexpr int kPhases = 3;

}  // namespace

void PauseButtonText::SetPaused(bool paused) {
    paused_ = paused;
    text_ = LoadResString(paused ? kStringContinue : kStringPause);
}

std::string PauseButtonText::label() const {
    return LoadResString(paused_ ? kStringContinue : kStringPause);
}

void PauseButtonText::OnTick() {
    if (!paused_) return;
    if (++phase_ >= kPhases) {
        phase_ = 0;
        text_.clear();
    } else {
        text_ = LoadResString(kStringContinue);
    }
}

}  // namespace tinsori
