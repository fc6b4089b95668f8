#include "player/Player.h"

// The sleep timer: over its last stretch the channel volume falls to silence in steps of equal
// loudness; then the window pauses, or a program without one ends. The settings' volume is never
// touched, so the saved volume and the one Continue plays at are the user's.

namespace tinsori {

namespace {

// Even where the level stands still (the low end of the curve), a step goes out this often, so
// a listener's device that missed one catches up.
constexpr uint32_t kFadeRepeatMs = 800;

}  // namespace

void Player::StartSleep(uint32_t lengthMs, SleepEnd end, uint32_t fadeMs) {
    if (!started_ || threadStopped_) return;
    StopSleep();
    sleepEnd_ = end;
    sleep_.Start(timebase_.clock().now(), lengthMs, fadeMs);
}

void Player::StopSleep() {
    const bool faded = midi_.ChannelVolume() != settings_.volume;
    sleep_.Stop();
    midi_.SetFadeProgress(0.0);
    lastFadeLevel_ = -1;
    if (faded) midi_.SendVolume();
}

void Player::OnSleepTimer() {
    if (!sleep_.running() || threadStopped_) return;
    const uint32_t now = timebase_.clock().now();
    const double progress = sleep_.fadeProgress(now);
    if (progress > 0.0) {
        midi_.SetFadeProgress(progress);
        const int level = midi_.ChannelVolume();
        if (level != lastFadeLevel_ || now - lastFadeSend_ >= kFadeRepeatMs) {
            midi_.SendVolume();
            lastFadeLevel_ = level;
            lastFadeSend_ = now;
        }
    }
    if (sleep_.ended(now)) EndSleep();
}

void Player::EndSleep() {
    sleep_.Stop();
    if (sleepEnd_ == SleepEnd::Stop) {
        // The fade stays: the shut-down's closing run must not sound after the silence.
        sleepEnded_ = true;
        return;
    }
    if (!settings_.paused) OnPauseCommand();
    // Released now, so nothing is sent: Continue opens the device at the user's volume.
    midi_.SetFadeProgress(0.0);
    lastFadeLevel_ = -1;
}

}  // namespace tinsori
