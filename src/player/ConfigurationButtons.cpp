#include "player/ConfigurationButtons.h"

#include <algorithm>

namespace tinsori {

int ConfigurationOfChecked(const std::vector<int>& checked, int current) {
    for (const ConfigurationButton& button : kConfigurationButtons) {
        if (std::ranges::find(checked, button.configuration) != checked.end())
            return button.configuration;
    }
    return current;
}

}  // namespace tinsori
