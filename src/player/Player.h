#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/LiveSnapshot.h"
#include "engine/StrikeLog.h"
#include "midi/MidiDevice.h"
#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Random.h"
#include "music/InstrumentTable.h"
#include "music/ScaleTable.h"
#include "platform/Timebase.h"
#include "player/ContextHelp.h"
#include "player/HideAtStart.h"
#include "player/OutputCatalog.h"
#include "player/OutputOpening.h"
#include "player/PauseButtonText.h"
#include "player/PlayerView.h"
#include "player/ScrollRequest.h"
#include "player/SleepTimer.h"
#include "player/StatusLine.h"
#include "player/TrayMenu.h"
#include "settings/FavoritesContext.h"

namespace tinsori {

class ProfileStore;
class SimulationThread;

// Opens the output device: a fresh port, or null with the reason in `error`.
using OutputOpener = MidiPortOpener;

// What a menu command leaves for the window to do.
enum class MenuAction { None, Exit, ShowWindow };

// What the end of the sleep timer does: pause (the window), or end the program through its
// usual shut-down (no window), which the host does once `sleepEnded()` says so.
enum class SleepEnd { Pause, Stop };

// A switch of output: false, with the reason, when the new output did not open (the old one
// plays on).
struct OutputSwitchResult {
    bool switched = false;
    std::string error;
};

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

    static constexpr uint32_t kWindTimerPeriodMs = 200;
    // The wind timer's tick; does nothing before start-up and after a shut-down.
    void OnWindTimer();

    // The shut-down when the window is destroyed (closing chime run included) and the shorter one
    // when the session ends. The thread and the device are stopped at most once across both.
    void ShutDownOnDestroy();
    void ShutDownOnSessionEnd();

    // A favorite or a command line replaced the settings: every control follows the record.
    void ShowSettings(const BaseNoteList& baseNotes, const std::string& notesInUse);
    // The volume as a share of the loudest, 0..1, as media controls give it; setting it moves the
    // volume slider too.
    double volumeShare() const;
    void OnVolumeShare(double share);

    // Handlers of the window's controls.
    void OnBaseNoteSelected(int note);
    void OnScaleSelected(int index);
    void OnTransposeSelected(int transpose);
    void OnChimeCountText(const std::string& text);
    // While typing the box keeps what was typed; once editing ends it shows the count that plays.
    void OnChimeCountEditEnded() { view_.ShowChimeCount(settings_.numChimes); }
    void OnConfigurationChosen(int configuration);
    // A configuration button was clicked; `checked`: the configurations whose buttons are checked.
    void OnConfigurationChecked(const std::vector<int>& checked);
    void OnShuffleClicked(bool checked);
    void OnConstantWindClicked(bool checked);
    void OnFractalClicked(bool checked);
    void OnChordsClicked(bool checked);
    void OnHoldNotesClicked(bool checked);
    // Any check box: the handler of `box`; the sibling product's box only ticks itself.
    void OnCheckBoxClicked(PlayerCheckBox box, bool checked);
    void OnInstrumentSelected(int index);
    void OnChannelSelected(int channel);
    void OnVolumeSlider(int position);
    void OnWindSlider(int position);
    void OnWindDragging(bool dragging);
    void OnPinknessSlider(int position);
    void OnClosenessSlider(int position);
    void OnLengthSlider(int position);
    // Any request of one of the five bars, with the bar's position read back after it.
    void OnScroll(PlayerSlider slider, ScrollRequest request, int position);
    // A request of a bar standing at `current` (`carried`: where a thumb request puts it): the
    // handler's effect, and the position the bar is to show.
    int OnScrollRequest(PlayerSlider slider, ScrollRequest request, int current, int carried);
    // The pointer moved to offset (dx, dy) from the chime picture's corner, or left the picture.
    void OnPointerOverPicture(int dx, int dy);
    void OnPointerOutsidePicture();
    // Chime `chime` of the set struck from the keyboard, at the middle velocity; nothing for a
    // chime outside the set.
    void StrikeChimeFromKey(int chime);
    // The Instrument list dropped down or lost the focus: its edit text names the selected entry
    // (none selected: the current instrument). Returns the entry whose name changed, if one did.
    std::optional<int> OnInstrumentRename(int selectedIndex, const std::string& editText);

    ContextHelp& help() { return help_; }
    int lastPointerChime() const { return lastPointerChime_; }

    // The live view. A press or drag there over `chime` (-1: over none) strikes a chime once as
    // the pointer enters it, as the chime picture does.
    void OnViewPointer(int chime, int velocity);
    // Strikes by hand (picture or view), kept so that the view lights them too.
    const StrikeLog& handStrikes() const { return handStrikes_; }
    // The simulation's newest snapshot; the UI thread is its one reader. None before the thread
    // runs.
    const LiveSnapshot* liveSnapshot();
    // The tick the snapshot's ticks count on.
    uint32_t tick() const { return timebase_.clock().now(); }
    // The current favorite's name (empty when the settings are on none), scale and instrument.
    struct Caption {
        std::string favorite, scale, instrument;
    };
    Caption LiveCaption();

    // Pause and Continue (the Pause button and the menu item). Pausing silences held notes and
    // releases the device; the simulation plays on into the closed handle. Continue claims the
    // device again and opens the output in the background: it plays from the wind tick after it
    // opened; when that fails the program runs on silently. Neither waits on the output.
    void OnPauseCommand();
    // Pauses or continues as asked (media controls): nothing when already so.
    void SetPaused(bool paused) {
        if (paused != this->paused()) OnPauseCommand();
    }
    // Waits for an output being opened in the background and takes it up now.
    void AwaitOutput();
    bool paused() const { return settings_.paused != 0; }
    // The Pause button's text, and the tick of its blink timer (runs while paused and seen).
    const std::string& pauseButtonText() const { return pauseText_.text(); }
    std::string pauseButtonLabel() const { return pauseText_.label(); }
    bool blinkTimerRunning() const { return pauseText_.timerRunning(); }
    void OnBlinkTimer() { pauseText_.OnTick(); }
    // The window was shown or hidden (minimized to the tray). Hidden, it is spared the wind's
    // five moves a second and the Pause button's blink; shown again, the wind slider catches up.
    void OnWindowSeen(bool seen);

    // Started minimized: the start timer's one tick, kStartTimerPeriodMs after start-up, says
    // whether to hide the window now.
    static constexpr int kStartTimerPeriodMs = HideAtStart::kPeriodMs;
    void StartMinimized() { hideAtStart_ = HideAtStart(true); }
    bool OnStartTimer(bool trayIconAdded) { return hideAtStart_.OnTick(trayIconAdded); }

    // The tray icon's popup menu as it reads now, and the effect of one of its commands.
    std::vector<MenuEntry> TrayMenu();
    // The window's own menu (Shift+F10): the tray's choices of output and sleep, and Pause, for a
    // desktop without a tray or a user who does not look there.
    std::vector<MenuEntry> WindowMenu();
    MenuAction OnMenuCommand(int id);

    // The outputs the menu offers; without them there is no Output submenu.
    void SetOutputs(OutputCatalog catalog) { outputs_ = std::move(catalog); }
    const std::string& currentOutput() const { return outputs_.current; }
    // The output in use is an ALSA sequencer port (which another program may hold), not one that
    // plays through the sound server. Lists the outputs: not for every tick.
    bool outputIsPort() const;
    // Releases the device and takes `name` instead (paused: on Continue), claiming a channel as
    // at start-up, and remembers it in "Midi", "Output".
    OutputSwitchResult SwitchOutput(const std::string& name);

    // The sleep timer: `lengthMs` from now, the volume fading out over the last `fadeMs`.
    void StartSleep(uint32_t lengthMs, SleepEnd end, uint32_t fadeMs = SleepTimer::kFadeMs);
    void StopSleep();
    const SleepTimer& sleepTimer() const { return sleep_; }
    // A step of the sleep timer; the wind timer's tick takes one too.
    void OnSleepTimer();
    // The sleep timer ended with SleepEnd::Stop: the host shuts down now.
    bool sleepEnded() const { return sleepEnded_; }

    ChimeSettings& settings() { return settings_; }
    const ScaleTable& scales() const { return scales_; }
    InstrumentTable& instruments() { return instruments_; }
    MidiHandle& handle() { return handle_; }
    const MidiOut& midi() const { return midi_; }
    FavoritesContext& favorites() { return favorites_; }
    Random& uiRandom() { return uiRandom_; }
    bool started() const { return started_; }
    bool windTimerRunning() const { return windTimerRunning_; }
    // Strikes the simulation has made so far (sounded or not), and the latest velocity.
    uint64_t strikes() const;
    double effectiveWind() const;
    int lastVelocity() const;
    // Where the sound goes (or that it goes nowhere, or that the player is paused) and the sleep
    // timer's time left, as the window and the tray's tip show it.
    std::string StatusText();
    // The same, fullest first, each shorter one leaving out what matters least (the audio driver,
    // a hint, the output's name) but never the state: for a line too narrow for the first.
    std::vector<std::string> StatusTexts();
    // The window's bottom line on a line `width` wide, as the front end's `measure` sets text;
    // measured again only when the texts or the width changed.
    const StatusLine& FitStatus(int width, const TextWidth& measure);
    // A shut-down could not save the settings (and said so through the view).
    bool saveFailed() const { return saveFailureShown_; }
    // The start-up's message when no device opened: for a port another program may hold, the
    // usual box; for an audio output, the reason and what to try.
    struct Message {
        std::string text, caption;
    };
    Message NoDeviceMessage() const;
    // Why the device could not be opened, empty when it was.
    const std::string& openError() const { return openError_; }
    // The output that stopped while playing (a synthesizer that ended, a device unplugged), and
    // why; none while the output plays or after another opened.
    const std::optional<PortFailure>& lostOutput() const { return lostOutput_; }
    // Why the open output is silent for now while it tries to play again (its sound server
    // went away), as of the last wind tick; empty while it plays.
    const std::string& interruption() const { return interruption_; }

private:
    void ShowEverything();
    void Recompute();
    bool OpenDevice();
    void ReleaseDevice();
    // Claims the device now and opens its output in the background.
    void ContinueInBackground();
    // Takes up the output opened in the background, if it is there.
    void TakeOpenedOutput();
    // Closes an output that stopped delivering; the music plays on silently, as without one.
    void CheckOutput();
    void EndSleep();
    void RunWindTimer(bool running);
    // Stops the thread and waits a bounded time for it. True when this call stopped it and it
    // ended: only then may the closing run and the settling wait use the wake event.
    bool StopThread();
    void SweepSaveAndRelease();
    // A write the user did not ask for (device records, the presets, the output's name) did not
    // reach the profile: said once a run.
    void ReportStoreFailure(bool written);
    void StrikeByHand(int chime, int velocity);

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
    std::optional<PortFailure> lostOutput_;
    std::string interruption_;
    std::vector<std::string> fittedTexts_;
    int fittedWidth_ = -1;
    StatusLine fitted_;
    ContextHelp help_;
    int lastPointerChime_ = -1;
    int lastViewChime_ = -1;
    StrikeLog handStrikes_;
    PauseButtonText pauseText_;
    HideAtStart hideAtStart_;
    OutputCatalog outputs_;
    std::vector<OutputListing> menuOutputs_;
    SleepTimer sleep_;
    SleepEnd sleepEnd_ = SleepEnd::Pause;
    int lastFadeLevel_ = -1;
    uint32_t lastFadeSend_ = 0;
    bool sleepEnded_ = false;
    bool started_ = false;
    bool windTimerRunning_ = false;
    bool windowSeen_ = true;
    bool threadStopped_ = false;
    bool threadEnded_ = false;
    bool released_ = false;
    bool saveFailureShown_ = false;
    bool storeFailureShown_ = false;
    // Last: an open under way may use what the opener reaches, so it ends first.
    OutputOpening opening_;
};

}  // namespace tinsori
