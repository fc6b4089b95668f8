#include "engine/SimulationThread.h"
#include "midi/MidiDevice.h"
#include "platform/Texts.h"
#include "player/Player.h"
#include "settings/SettingsPersistence.h"

// The two shut-downs: the window destroyed (closing chime run included) and the session ending.
// Both may arrive, in either order (a session end another program refused leaves the window
// open). The thread is stopped and the device released at most once; the settings are saved by
// each, so what the user changed after a refused session end is kept.

namespace tinsori {

namespace {

constexpr uint32_t kThreadJoinMs = 2000;
constexpr uint32_t kSettleMs = 1000;
constexpr int kClosingRunDelay = -81;
constexpr int kClosingRunVelocity = 35;
constexpr const char* kSaveFailedText = kTextSaveFailed;
constexpr const char* kSaveFailedCaption = "Tinsori";
constexpr const char* kStoreFailedText = kTextStoreFailed;

}  // namespace

void Player::ShutDownOnDestroy() {
    if (!started_) return;
    RunWindTimer(false);
    if (StopThread()) {
        if (!settings_.startedWithSettings)
            midi_.PlayChimeSet(kClosingRunDelay, kClosingRunVelocity);
        timebase_.wakeEvent().wait(kSettleMs);
    }
    SweepSaveAndRelease();
}

void Player::ShutDownOnSessionEnd() {
    if (!started_) return;
    RunWindTimer(false);
    if (StopThread()) timebase_.wakeEvent().wait(kSettleMs);
    SweepSaveAndRelease();
}

bool Player::StopThread() {
    if (threadStopped_) return false;
    threadStopped_ = true;
    settings_.stopThread = 1;
    timebase_.wakeEvent().signal();
    // A thread that has not ended by then is left to end by itself after its current step. It
    // may wait on the wake event once more on its way, so this thread must not wait on that event
    // meanwhile: its wait would take the stop signal and leave the thread's wait to run its course.
    threadEnded_ = timebase_.joinThread(kThreadJoinMs);
    return threadEnded_;
}

void Player::SweepSaveAndRelease() {
    if (settings_.holdNotes) midi_.SweepNotesOff(settings_.channel);
    // Both shut-downs may save; a profile that cannot take the save is told once.
    if (!SaveSettings(store_, settings_, scales_, instruments_) && !saveFailureShown_) {
        saveFailureShown_ = true;
        view_.ShowMessage(TextCatalogue::Words(kSaveFailedText), kSaveFailedCaption);
    }
    if (released_) return;
    released_ = true;
    opening_.cancel();
    if (!settings_.paused) ReportStoreFailure(CloseMidiDevice(device_));
}

void Player::ReportStoreFailure(bool written) {
    // After a failed save the profile's trouble has been told already.
    if (written || storeFailureShown_ || saveFailureShown_) return;
    storeFailureShown_ = true;
    view_.ShowMessage(TextCatalogue::Words(kStoreFailedText), kSaveFailedCaption);
}

}  // namespace tinsori
