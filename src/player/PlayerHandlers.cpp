#include <algorithm>
#include <cmath>

#include "engine/WindDrive.h"
#include "midi/MidiDevice.h"
#include "music/ChimeNoteSet.h"
#include "music/HoldNotes.h"
#include "player/ChimePictureGeometry.h"
#include "player/ConfigurationButtons.h"
#include "player/Player.h"

// The effects of the window's controls on the settings, the notes, MIDI and the store. Positions
// and selections arrive from widgets; each is brought into its control's range before use.

namespace tinsori {

void Player::Recompute() {
    ComputeChimeNotes(settings_, scales_);
    view_.ShowNotesInUse(UpdateNotesInUse(settings_, midi_));
}

void Player::OnBaseNoteSelected(int note) {
    settings_.baseNote = std::clamp(note, 0, 127);
    Recompute();
}

void Player::OnScaleSelected(int index) {
    if (index < 0 || index >= scales_.count()) return;
    settings_.scaleIndex = index;
    view_.ShowBaseNotes(FillBaseNoteList(settings_, scales_, 0));
    Recompute();
}

void Player::OnTransposeSelected(int transpose) {
    ChangeTranspose(settings_, transpose);
    view_.ShowBaseNotes(FillBaseNoteList(settings_, scales_, 0));
    Recompute();
}

void Player::OnChimeCountText(const std::string& text) {
    // The number as typed meets the count in use, so "0" at one chime still recomputes.
    const int typed = TypedChimeCount(text);
    if (typed == settings_.numChimes) return;
    settings_.numChimes = std::clamp(typed, 1, kMaxChimes);
    Recompute();
}

void Player::OnConfigurationChosen(int configuration) {
    if (std::ranges::find(kConfigurationButtons, configuration,
                          &ConfigurationButton::configuration) == std::end(kConfigurationButtons))
        return;
    settings_.configuration = configuration;
    settings_.clearChimeEnergy();
    help_.Set(kHelpChime);
    view_.ShowConfiguration(configuration);
}

void Player::OnConfigurationChecked(const std::vector<int>& checked) {
    OnConfigurationChosen(ConfigurationOfChecked(checked, settings_.configuration));
}

void Player::OnShuffleClicked(bool checked) {
    settings_.shuffle = checked ? 1 : 0;
    Recompute();
    help_.Set(kHelpChime);
}

void Player::OnConstantWindClicked(bool checked) {
    settings_.constantWind = checked ? 1 : 0;
    help_.Set(kHelpWind);
}

void Player::OnFractalClicked(bool checked) {
    settings_.fractal = checked ? 1 : 0;
    help_.Set(kHelpWind);
}

void Player::OnChordsClicked(bool checked) {
    settings_.chords = checked ? 1 : 0;
    help_.Set(kHelpWind);
}

void Player::OnHoldNotesClicked(bool checked) {
    tinsori::OnHoldNotesClicked(settings_, midi_, checked);
}

void Player::OnCheckBoxClicked(PlayerCheckBox box, bool checked) {
    switch (box) {
        case PlayerCheckBox::Shuffle:
            return OnShuffleClicked(checked);
        case PlayerCheckBox::ConstantWind:
            return OnConstantWindClicked(checked);
        case PlayerCheckBox::Fractal:
            return OnFractalClicked(checked);
        case PlayerCheckBox::Chords:
            return OnChordsClicked(checked);
        case PlayerCheckBox::HoldNotes:
            return OnHoldNotesClicked(checked);
        case PlayerCheckBox::Prismora:
            return;
    }
}

void Player::OnInstrumentSelected(int index) {
    tinsori::OnInstrumentSelected(settings_, midi_, std::clamp(index, 0, 127));
    view_.SetCheckBox(PlayerCheckBox::HoldNotes, settings_.holdNotes != 0);
}

void Player::OnChannelSelected(int channel) {
    if (channel < 0 || channel > 15) return;
    const ChannelChangeResult result = ChangeMidiChannel(device_, channel);
    ReportStoreFailure(result.recorded);
    view_.SelectChannel(result.channel);
    view_.SetSlider(PlayerSlider::Volume, result.volume);
}

void Player::OnVolumeSlider(int position) {
    settings_.volume = setting::kVolume.Clamp(position);
    midi_.SendVolume();
}

double Player::volumeShare() const {
    return static_cast<double>(settings_.volume) / setting::kVolume.highest;
}

// A share that is not a number leaves the volume as it is.
void Player::OnVolumeShare(double share) {
    if (std::isnan(share)) return;
    const double position = std::clamp(share, 0.0, 1.0) * setting::kVolume.highest;
    OnVolumeSlider(static_cast<int>(std::lround(position)));
    view_.SetSlider(PlayerSlider::Volume, settings_.volume);
}

void Player::OnWindSlider(int position) {
    WindSliderMoved(settings_, position, timebase_.wakeEvent());
}

void Player::OnWindDragging(bool dragging) {
    SetWindDragging(settings_, dragging);
}

void Player::OnPinknessSlider(int position) {
    settings_.pinkness = setting::kPinkness.FromPosition(position);
}

void Player::OnClosenessSlider(int position) {
    settings_.closeness = setting::kCloseness.FromPosition(position);
}

void Player::OnLengthSlider(int position) {
    settings_.length = setting::kLength.FromPosition(position);
}

void Player::OnScroll(PlayerSlider slider, ScrollRequest request, int position) {
    if (slider == PlayerSlider::Wind && request == ScrollRequest::ThumbTrack) OnWindDragging(true);
    if (request == ScrollRequest::EndScroll) {
        help_.ScrollEnded(slider);
        if (slider == PlayerSlider::Wind) OnWindDragging(false);
    }
    switch (slider) {
        case PlayerSlider::Wind:
            OnWindSlider(position);
            return;
        case PlayerSlider::Pinkness:
            OnPinknessSlider(position);
            return;
        case PlayerSlider::Closeness:
            OnClosenessSlider(position);
            return;
        case PlayerSlider::Length:
            OnLengthSlider(position);
            return;
        case PlayerSlider::Volume:
            OnVolumeSlider(position);
            return;
    }
}

int Player::OnScrollRequest(PlayerSlider slider, ScrollRequest request, int current, int carried) {
    const int position = ScrollPosition(slider, request, current, carried);
    OnScroll(slider, request, position);
    return position;
}

void Player::OnPointerOverPicture(int dx, int dy) {
    const TubeHit tube = TubeAt(dx, dy, settings_.chimeCount());
    if (!tube.hit) {
        lastPointerChime_ = -1;
        return;
    }
    if (tube.chime == lastPointerChime_) return;
    StrikeByHand(tube.chime, tube.velocity);
    lastPointerChime_ = tube.chime;
}

void Player::OnPointerOutsidePicture() {
    lastPointerChime_ = -1;
}

void Player::StrikeChimeFromKey(int chime) {
    if (chime < 0 || chime >= settings_.chimeCount()) return;
    midi_.StrikeNote(settings_.chimeNotes[chime], kKeyStrikeVelocity);
}

std::optional<int> Player::OnInstrumentRename(int selectedIndex, const std::string& editText) {
    if (!instruments_.RenameInstrument(selectedIndex, settings_.instrument, editText)) return {};
    return selectedIndex < 0 ? settings_.instrument.load() : selectedIndex;
}

void Player::RunWindTimer(bool running) {
    windTimerRunning_ = running;
    view_.RunWindTimer(running);
}

void Player::OnWindowSeen(bool seen) {
    const bool shownAgain = seen && !windowSeen_;
    windowSeen_ = seen;
    pauseText_.SetSeen(seen);
    if (shownAgain) view_.SetSlider(PlayerSlider::Wind, settings_.windNow);
}

void Player::OnWindTimer() {
    if (!windTimerRunning_) return;
    CheckOutput();
    if (WindTimerTick(settings_, timebase_.clock().now(), timebase_.wakeEvent()) && windowSeen_) {
        view_.SetSlider(PlayerSlider::Wind, settings_.windNow);
    }
    OnSleepTimer();
}

}  // namespace tinsori
