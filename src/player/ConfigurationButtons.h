#pragma once

#include <array>
#include <vector>

#include "model/ChimeSettings.h"

namespace tinsori {

// The configurations of the four radio buttons, in the window's order.
inline constexpr std::array<int, 4> kConfigurationsInOrder = {kCenterPendulum, kAllIndependent,
                                                              kChimesOnly, kQuantized};

// The configuration the checked buttons choose: the first of them in the window's order, or
// `current` when none is checked.
int ConfigurationOfChecked(const std::vector<int>& checked, int current);

}  // namespace tinsori
