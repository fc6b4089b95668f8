#pragma once

#include <ostream>

#include "player/PlayerView.h"

namespace tinsori {

// The view of the headless player and the renderer: no window, so nothing is shown; messages go
// to a stream (stderr) as one line each, and every question is answered No, so nothing stored is
// replaced or removed without a person to confirm it.
class SilentView : public NullFavorites<PlayerView> {
public:
    explicit SilentView(std::ostream& messages);

    void ShowMessage(const std::string& text, const std::string& caption) override;

    void ShowBaseNotes(const BaseNoteList&) override {}
    void ShowNotesInUse(const std::string&) override {}
    void ShowInstruments(const std::vector<std::string>&, int) override {}
    void ShowScales(const std::vector<std::string>&, int) override {}
    void SelectTranspose(int) override {}
    void SelectChannel(int) override {}
    void ShowChimeCount(int) override {}
    void ShowConfiguration(int) override {}
    void SetSlider(PlayerSlider, int) override {}
    void SetCheckBox(PlayerCheckBox, bool) override {}
    // The headless player and the renderer print their own, accurate line.
    void ShowNoDevice() override {}

private:
    std::ostream& messages_;
};

}  // namespace tinsori
