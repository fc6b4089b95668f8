#pragma once

#include <string>
#include <vector>

#include "music/ChimeNoteSet.h"
#include "settings/FavoritesView.h"
#include "settings/StringTable.h"

namespace tinsori {

// The five scroll bars of the main window.
enum class PlayerSlider { Wind, Pinkness, Closeness, Length, Volume };

// The check boxes whose state the player sets.
enum class PlayerCheckBox { Shuffle, ConstantWind, Fractal, Chords, HoldNotes, Prismora };

// What the player shows: the main window's lists, selections, sliders and check boxes, on top of
// what the favorites code shows. The Qt dialog implements it with widgets; the headless player
// and the renderer show nothing.
class PlayerView : public FavoritesView {
public:
    // The Base Note list, rebuilt around the current base note, with its selection.
    virtual void ShowBaseNotes(const BaseNoteList& list) = 0;
    // The "Chimes in Use" box.
    virtual void ShowNotesInUse(const std::string& text) = 0;
    virtual void ShowInstruments(const std::vector<std::string>& names, int selected) = 0;
    virtual void ShowScales(const std::vector<std::string>& names, int selected) = 0;
    // Selects the Transpose entry of `transpose` (-12..12).
    virtual void SelectTranspose(int transpose) = 0;
    virtual void SelectChannel(int channel) = 0;
    virtual void ShowChimeCount(int count) = 0;
    // Checks the radio button of the configuration; the length bar is enabled only for the
    // pendulum configuration (SliderEnabled).
    virtual void ShowConfiguration(int configuration) = 0;
    virtual void SetSlider(PlayerSlider slider, int position) = 0;
    virtual void SetCheckBox(PlayerCheckBox box, bool checked) = 0;
    // The start-up found no device to play on. A window shows Player::NoDeviceMessage(), which
    // knows the kind of output (this default has the port's words); a view without one leaves it
    // to its host, which knows the reason.
    virtual void ShowNoDevice() {
        ShowMessage(LoadResString(kStringNoMidiDevice), LoadResString(kStringNoMidiDeviceCaption));
    }
    // Pause or Continue took effect (also when the sleep timer paused): the Pause button's text
    // and its blink timer follow `Player::pauseButtonText()` and `blinkTimerRunning()`.
    virtual void ShowPaused(bool /*paused*/) {}
    // The wind timer started (at start-up) or stopped (at a shut-down): a host that ticks it with
    // a timer of its own runs that timer every Player::kWindTimerPeriodMs while it is on.
    virtual void RunWindTimer(bool /*running*/) {}
};

}  // namespace tinsori
