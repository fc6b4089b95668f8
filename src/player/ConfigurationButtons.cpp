#include "player/ConfigurationButtons.h"

#include <algorithm>

namespace tinsori {

int ConfigurationOfChecked(const std::vector<int>& checked, int current) {
    for (int configuration : kConfigurationsInOrder) {
        if (std::ranges::find(checked, configuration) != checked.end()) return configuration;
    }
    return current;
}

}  // namespace tinsori
