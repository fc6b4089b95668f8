#pragma once

#include <vector>

#include "player/MainWindowControls.h"

namespace tinsori {

// The configuration the checked buttons choose: the first of them in the window's order, or
// `current` when none is checked.
int ConfigurationOfChecked(const std::vector<int>& checked, int current);

// The configurations of the buttons `isChecked(id)` finds checked, in the window's order.
template <class IsChecked>
std::vector<int> CheckedConfigurations(IsChecked isChecked) {
    std::vector<int> checked;
    for (const ConfigurationButton& button : kConfigurationButtons) {
        if (isChecked(button.id)) checked.push_back(button.configuration);
    }
    return checked;
}

}  // namespace tinsori
