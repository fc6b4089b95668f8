#pragma once

#include <string>

namespace tinsori {

// What the desktop's media controls act on; the main window implements it over the player.
class MediaControlsTarget {
public:
    virtual ~MediaControlsTarget() = default;

    virtual bool IsPaused() const = 0;
    virtual void Pause() = 0;
    virtual void Continue() = 0;
    // Shows the window in its normal size and brings it to the front.
    virtual void Raise() = 0;
    // Closes the window, which runs the shut-down on destruction.
    virtual void Quit() = 0;
    // Applies the next (1) or previous (-1) favorite in the Favorites list's order.
    virtual void StepFavorite(int step) = 0;
    // The volume slider's position, 0..1, and a new one from the desktop (the slider follows).
    virtual double Volume() const = 0;
    virtual void SetVolume(double volume) = 0;
    // The current favorite's name, or "Tinsori".
    virtual std::string Title() const = 0;
};

}  // namespace tinsori
