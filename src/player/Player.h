#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "midi/MidiDevice.h"
#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Random.h"
#include "music/InstrumentTable.h"
#include "music/ScaleTable.h"
#include "platform/Timebase.h"
#include "player/PlayerView.h"
#include "settings/FavoritesContext.h"

namespace tinsori {

class ProfileStore;
class SimulationThread;

// Opens the output device: a fresh port, or null with the reason in `error`.
using OutputOpener = MidiPortOpener;

// What the main window does that is not a widget: it owns the live settings, the scale and
// instrument tables, the MIDI handle and the simulation thread, and runs the start-up, the wind
// timer's tick, the handlers' effects and both shut-downs. The GUI, the headless player and the
// renderer drive the same object, so all three play the same music.
class Player {
public:
    // Loads every setting. `seed` replaces the usual seed (the tick count x 17) of the UI
    // thread's generator, so that a render can be repeated.
    Player(Timebase& timebase, ProfileStore& store, OutputOpener opener, PlayerView& view,
           std::optional<uint32_t> seed = std::nullopt);
    // Stops a thread still running (without saving anything); a shut-down should have run.
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // The window's start-up: lists, notes, the device, a "Settings" command line, the simulation
    // thread, the built-in favorites and the wind timer. Call once.
    void Start(const std::string& commandLine);

    // The 200 ms wind timer's tick; does nothing once the timer is stopped.
    void OnWindTimer();

    // The shut-down when the window is destroyed (closing chime run included) and the shorter one
    // when the session ends. The thread and the device are stopped at most once across both.
    void ShutDownOnDestroy();
    void ShutDownOnSessionEnd();

    // Handlers of the window's controls.
    void OnBaseNoteSelected(int note);
    void OnScaleSelected(int index);
    void OnTransposeSelected(int transpose);
    void OnChimeCountText(const std::string& text);
    void OnConfigurationChosen(int configuration);
    void OnShuffleClicked(bool checked);
    void OnConstantWindClicked(bool checked);
    void OnFractalClicked(bool checked);
    void OnChordsClicked(bool checked);
    void OnHoldNotesClicked(bool checked);
    void OnInstrumentSelected(int index);
    void OnChannelSelected(int channel);
    void OnVolumeSlider(int position);
    void OnWindSlider(int position);
    void OnWindDragging(bool dragging);
    void OnPinknessSlider(int position);
    void OnClosenessSlider(int position);
    void OnLengthSlider(int position);

    ChimeSettings& settings() { return settings_; }
    const ScaleTable& scales() const { return scales_; }
    InstrumentTable& instruments() { return instruments_; }
    MidiHandle& handle() { return handle_; }
    const MidiOut& midi() const { return midi_; }
    FavoritesContext& favorites() { return favorites_; }
    Random& uiRandom() { return uiRandom_; }
    bool windTimerRunning() const { return settings_.windTimerId != 0; }
    // Strikes the simulation has made so far (sounded or not), and the latest velocity.
    uint64_t strikes() const;
    double effectiveWind() const;
    int lastVelocity() const;
    // Why the device could not be opened, empty when it was.
    const std::string& openError() const { return openError_; }

private:
    void ShowEverything();
    void Recompute();
    void OpenDevice();
    // Stops the thread and waits for it; false when an earlier shut-down already did.
    bool StopThread();
    void SweepSaveAndRelease();

    Timebase& timebase_;
    ProfileStore& store_;
    PlayerView& view_;
    Random uiRandom_;
    ChimeSettings settings_;
    ScaleTable scales_;
    InstrumentTable instruments_;
    MidiHandle handle_;
    MidiOut midi_;
    ModelValues model_;
    FavoritesContext favorites_;
    MidiDeviceContext device_;
    std::unique_ptr<SimulationThread> thread_;
    std::string openError_;
    bool started_ = false;
    bool threadStopped_ = false;
    bool threadEnded_ = false;
    bool released_ = false;
};

}  // namespace tinsori
