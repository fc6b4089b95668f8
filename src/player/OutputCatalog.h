#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "midi/ports/MidiPort.h"
#include "midi/ports/OutputNames.h"

namespace tinsori {

// The outputs the user can switch between while playing, named as `--output` and
// `--list-outputs` name them.
struct OutputCatalog {
    // The output in use.
    std::string current;
    // Every output there is, in the menu's order (asked again each time the menu opens).
    std::function<std::vector<OutputListing>()> list;
    // Opens an output by name; null with the reason in `error`.
    std::function<std::unique_ptr<MidiPort>(const std::string& name, std::string* error)> open;
};

}  // namespace tinsori
