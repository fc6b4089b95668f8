#pragma once

#include <vector>

#include "player/MainWindowControls.h"

namespace tinsori {

// The configuration the checked buttons choose: the first of them in the window's order, or
// `current` when none is checked.
int ConfigurationOfChecked(const std::vector<int>& checked, int current);

}  // namespace tinsori
