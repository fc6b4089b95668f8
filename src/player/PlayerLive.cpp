// The player's side of the live view: strikes by hand and what the view reads.
#include "engine/SimulationThread.h"
#include "player/FavoriteSteps.h"
#include "player/Player.h"

namespace tinsori {

void Player::StrikeByHand(int chime, int velocity) {
    const int note = settings_.chimeNotes[chime].load(std::memory_order_relaxed);
    midi_.StrikeNote(note, velocity);
    if (handle_.isOpen() && note >= kLowestNote && note <= kHighestNote) {
        handStrikes_.add(tick(), chime, velocity);
    }
}

void Player::OnViewPointer(int chime, int velocity) {
    if (chime < 0 || chime >= settings_.chimeCount()) {
        lastViewChime_ = -1;
        return;
    }
    if (chime == lastViewChime_) return;
    StrikeByHand(chime, velocity);
    lastViewChime_ = chime;
}

const LiveSnapshot* Player::liveSnapshot() {
    return thread_ ? &thread_->live().latest() : nullptr;
}

Player::Caption Player::LiveCaption() {
    const int scale = settings_.scaleIndex.load(std::memory_order_relaxed);
    return {CurrentFavoriteName(favorites_).value_or(""),
            scale >= 0 && scale < scales_.count() ? scales_.at(scale).name : "",
            instruments_.name(settings_.instrument.load(std::memory_order_relaxed))};
}

}  // namespace tinsori
