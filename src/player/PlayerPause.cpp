#include <utility>

#include "midi/MidiDevice.h"
#include "platform/Texts.h"
#include "player/Player.h"

// Pause and Continue, and switching the output: both let the device go and take one again. An
// output that stops by itself is let go the same way.

namespace tinsori {

void Player::ReleaseDevice() {
    opening_.cancel();
    // Notes held on the old output would sound on for ever once nothing can stop them.
    midi_.SweepNotesOff(settings_.channel);
    opening_.discard(handle_.take());
    ReportStoreFailure(CloseMidiDevice(device_));
}

void Player::ContinueInBackground() {
    const DeviceOpenResult result = ClaimMidiDevice(device_, nullptr);
    openError_.clear();
    lostOutput_.reset();
    interruption_.clear();
    ReportStoreFailure(result.recorded);
    view_.SelectChannel(result.channel);
    if (device_.opener) opening_.request(device_.opener);
}

void Player::TakeOpenedOutput() {
    auto opened = opening_.take();
    if (!opened) return;
    if (opened->port)
        AttachMidiPort(device_, std::move(opened->port));
    else
        openError_ =
            opened->error.empty() ? TextCatalogue::Words(kTextNoOutputOpened) : opened->error;
}

void Player::AwaitOutput() {
    opening_.waitIdle();
    TakeOpenedOutput();
}

void Player::CheckOutput() {
    TakeOpenedOutput();
    // The channel stays claimed: Continue or another output takes up the place again.
    if (auto failure = handle_.closeIfFailed()) lostOutput_ = std::move(failure);
    interruption_ = handle_.interruption();
}

void Player::OnPauseCommand() {
    // Before start-up the copy holds no place to give up; after a shut-down nothing may reopen.
    if (!started_ || threadStopped_) return;
    if (settings_.paused)
        ContinueInBackground();
    else
        ReleaseDevice();
    settings_.paused = settings_.paused ? 0 : 1;
    pauseText_.SetPaused(settings_.paused != 0);
    view_.ShowPaused(settings_.paused != 0);
}

OutputSwitchResult Player::SwitchOutput(const std::string& name) {
    if (!outputs_.open) return {false, TextCatalogue::Words(kTextNoOutputChoice)};
    if (!started_ || threadStopped_) return {false, TextCatalogue::Words(kTextNotRunning)};
    auto opener = [open = outputs_.open, name](std::string* error) { return open(name, error); };
    if (settings_.paused) {
        // Paused, the copy holds no device: Continue opens the new one.
        device_.opener = std::move(opener);
    } else {
        ReleaseDevice();
        MidiPortOpener previous = std::exchange(device_.opener, std::move(opener));
        if (!OpenDevice()) {
            const std::string error = openError_;
            ReportStoreFailure(CloseMidiDevice(device_));
            device_.opener = std::move(previous);
            OpenDevice();
            return {false, error};
        }
    }
    outputs_.current = name;
    ReportStoreFailure(store_.WriteString("Midi", "Output", &name));
    return {true, {}};
}

}  // namespace tinsori
