#pragma once

#include <algorithm>
#include <iterator>

#include "model/ChimeSettings.h"
#include "player/ContextHelp.h"
#include "player/ControlIds.h"
#include "player/PlayerView.h"

// Which of the main window's controls shows which setting: one table for both directions, what
// the player shows and what the user does.

namespace tinsori {

struct SliderControl {
    int id;
    PlayerSlider slider;
};

inline constexpr SliderControl kSliderControls[] = {
    {kIdWindSlider, PlayerSlider::Wind},           {kIdPinknessSlider, PlayerSlider::Pinkness},
    {kIdClosenessSlider, PlayerSlider::Closeness}, {kIdLengthBar, PlayerSlider::Length},
    {kIdVolumeSlider, PlayerSlider::Volume},
};

// The configuration radio buttons, in their order in the window.
struct ConfigurationButton {
    int id;
    int configuration;
};

inline constexpr ConfigurationButton kConfigurationButtons[] = {
    {kIdCenterPendulum, kCenterPendulum},
    {kIdAllIndependent, kAllIndependent},
    {kIdChimesOnly, kChimesOnly},
    {kIdQuantized, kQuantized},
};

// The check boxes: what the player sets on each, and what a click on it hands the player.
struct CheckBoxControl {
    int id;
    PlayerCheckBox box;
};

inline constexpr CheckBoxControl kCheckBoxControls[] = {
    {kIdShuffle, PlayerCheckBox::Shuffle},     {kIdConstantWind, PlayerCheckBox::ConstantWind},
    {kIdFractal, PlayerCheckBox::Fractal},     {kIdChords, PlayerCheckBox::Chords},
    {kIdHoldNotes, PlayerCheckBox::HoldNotes}, {kIdPrismora, PlayerCheckBox::Prismora},
};

// The controls whose focus sets the help topic.
struct FocusHelpControl {
    int id;
    HelpControl control;
};

inline constexpr FocusHelpControl kFocusHelpControls[] = {
    {kIdFavorites, HelpControl::Favorites},   {kIdInstrument, HelpControl::Instrument},
    {kIdChannel, HelpControl::Channel},       {kIdChimeCount, HelpControl::ChimeCount},
    {kIdNotesInUse, HelpControl::NotesInUse}, {kIdBaseNote, HelpControl::BaseNote},
    {kIdScale, HelpControl::Scale},           {kIdTranspose, HelpControl::Transpose},
};

// The control of a bar or a check box.
constexpr int ControlOf(PlayerSlider slider) {
    const auto* found =
        std::find_if(std::begin(kSliderControls), std::end(kSliderControls),
                     [slider](const auto& entry) { return entry.slider == slider; });
    return found == std::end(kSliderControls) ? kIdNone : found->id;
}

constexpr int ControlOf(PlayerCheckBox box) {
    const auto* found = std::find_if(std::begin(kCheckBoxControls), std::end(kCheckBoxControls),
                                     [box](const auto& entry) { return entry.box == box; });
    return found == std::end(kCheckBoxControls) ? kIdNone : found->id;
}

}  // namespace tinsori
