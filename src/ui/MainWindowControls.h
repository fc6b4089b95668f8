#pragma once

#include "model/ChimeSettings.h"
#include "player/PlayerView.h"
#include "ui/ControlIds.h"

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

struct CheckBoxControl {
    int id;
    PlayerCheckBox box;
};

inline constexpr CheckBoxControl kCheckBoxControls[] = {
    {kIdShuffle, PlayerCheckBox::Shuffle},     {kIdConstantWind, PlayerCheckBox::ConstantWind},
    {kIdFractal, PlayerCheckBox::Fractal},     {kIdChords, PlayerCheckBox::Chords},
    {kIdHoldNotes, PlayerCheckBox::HoldNotes}, {kIdPrismora, PlayerCheckBox::Prismora},
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

}  // namespace tinsori
