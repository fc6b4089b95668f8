#include <string>
#include <vector>

#include "engine/SimulationThread.h"
#include "engine/WindDrive.h"
#include "midi/MidiDevice.h"
#include "music/ChimeNoteSet.h"
#include "player/Player.h"
#include "settings/BuiltInPresets.h"
#include "settings/Favorites.h"
#include "settings/SettingsPersistence.h"
#include "settings/SliderPositions.h"
#include "settings/StringTable.h"

// Construction and start-up: what the main window's constructor and its initialisation do.

namespace tinsori {

Player::Player(Timebase& timebase, ProfileStore& store, OutputOpener opener, PlayerView& view,
               std::optional<uint32_t> seed)
    : timebase_(timebase),
      store_(store),
      view_(view),
      settings_(uiRandom_),
      midi_(settings_, handle_, timebase.wakeEvent()),
      favorites_{settings_, scales_, store_, midi_, timebase.wakeEvent(), view_},
      device_{settings_, store_, handle_, midi_, std::move(opener)} {
    // `windPink` has drawn once from the unseeded generator; only then is it seeded.
    uiRandom_.seed(seed ? *seed : timebase_.clock().now() * 17u);
    // With the stored channel's volume: the device is not open yet, so no other channel is known.
    LoadSettings(store_, settings_, scales_);
    RangeWindPink(settings_);
}

Player::~Player() {
    if (!thread_ || threadEnded_) return;
    // No shut-down ran, or its bounded wait ran out: the thread must end before what it reads
    // goes away.
    settings_.stopThread = 1;
    do {
        timebase_.wakeEvent().signal();
    } while (!timebase_.joinThread(1000));
}

void Player::Start(const std::string& commandLine) {
    if (started_) return;
    started_ = true;
    // 1. The favorites' and patterns' counters, repaired before anything reads them.
    ReportStoreFailure(RecoverLastIndex(store_, "Favorites", "Favorite"));
    ReportStoreFailure(RecoverLastIndex(store_, "Prismora", "Pattern"));
    // 2. The chime notes around the stored base note, and every list and control.
    view_.ShowBaseNotes(FillBaseNoteList(settings_, scales_, settings_.baseNote));
    ComputeChimeNotes(settings_, scales_);
    instruments_.LoadNames(store_);
    ShowEverything();
    // 3. A fresh model: no energy, no note left sounding from a previous program.
    settings_.clearChimeEnergy();
    view_.ShowNotesInUse(UpdateNotesInUse(settings_, midi_));
    // 4. The device, which may move the channel; then that channel's volume.
    OpenDevice();
    settings_.volume = StoredChannelVolume(store_, settings_.channel);
    view_.SetSlider(PlayerSlider::Volume, settings_.volume);
    view_.SetCheckBox(PlayerCheckBox::HoldNotes, settings_.holdNotes != 0);
    // 5. A "Settings" command line, before the thread reads `startedWithSettings`.
    ApplyCommandLineSettings(favorites_, commandLine);
    // 6. The simulation thread.
    thread_ = std::make_unique<SimulationThread>(SimulationSettings(settings_), scales_, midi_,
                                                 timebase_.clock(), timebase_.wakeEvent(), model_);
    timebase_.startThread([this] { thread_->TinsoriThread(); });
    // 7. Built-in favorites on the first run, then the Favorites list.
    ReportStoreFailure(InstallBuiltInPresets(store_));
    LoadFavoritesList(favorites_);
    // 8. The wind timer: the host calls OnWindTimer every kWindTimerPeriodMs from now on.
    RunWindTimer(true);
    // 9. The one message of the start-up, when there is no device to play on.
    if (!handle_.isOpen()) view_.ShowNoDevice();
    // The sibling product's link starts off in every run, whatever was stored: that product is
    // not part of this program, so its box shows clear and the value saved back is 0.
    settings_.prismoraEnabled = 0;
    view_.SetCheckBox(PlayerCheckBox::Prismora, false);
    view_.ShowConfiguration(settings_.configuration);
}

bool Player::OpenDevice() {
    const DeviceOpenResult result = OpenMidiDevice(device_);
    openError_ = result.error;
    lostOutput_.reset();
    interruption_.clear();
    ReportStoreFailure(result.recorded);
    view_.SelectChannel(result.channel);
    return result.opened;
}

void Player::ShowEverything() {
    std::vector<std::string> instrumentNames;
    for (int program = 0; program < instruments_.count(); ++program) {
        instrumentNames.push_back(instruments_.name(program));
    }
    view_.ShowInstruments(instrumentNames, settings_.instrument);
    std::vector<std::string> scaleNames;
    for (int i = 0; i < scales_.count(); ++i) scaleNames.push_back(scales_.at(i).name);
    view_.ShowScales(scaleNames, settings_.scaleIndex);
    view_.SelectTranspose(settings_.transpose);
    const SliderPositions sliders = SliderPositionsOf(settings_);
    view_.SetSlider(PlayerSlider::Wind, sliders.wind);
    view_.SetSlider(PlayerSlider::Pinkness, sliders.pinkness);
    view_.SetSlider(PlayerSlider::Closeness, sliders.closeness);
    view_.SetSlider(PlayerSlider::Length, sliders.length);
    view_.ShowChimeCount(settings_.numChimes);
    view_.ShowConfiguration(settings_.configuration);
    view_.SetCheckBox(PlayerCheckBox::Shuffle, settings_.shuffle != 0);
    view_.SetCheckBox(PlayerCheckBox::ConstantWind, settings_.constantWind != 0);
    view_.SetCheckBox(PlayerCheckBox::Fractal, settings_.fractal != 0);
    view_.SetCheckBox(PlayerCheckBox::Chords, settings_.chords != 0);
}

void Player::ShowSettings(const BaseNoteList& baseNotes, const std::string& notesInUse) {
    ShowEverything();
    view_.ShowBaseNotes(baseNotes);
    view_.ShowNotesInUse(notesInUse);
    view_.SetSlider(PlayerSlider::Volume, settings_.volume);
    view_.SetCheckBox(PlayerCheckBox::HoldNotes, settings_.holdNotes != 0);
}

uint64_t Player::strikes() const {
    return thread_ ? thread_->strikes() : 0;
}

double Player::effectiveWind() const {
    return thread_ ? thread_->effectiveWind() : 0.0;
}

int Player::lastVelocity() const {
    return thread_ ? thread_->lastVelocity() : 0;
}

}  // namespace tinsori
