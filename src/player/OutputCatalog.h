#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "midi/ports/MidiPort.h"

namespace tinsori {

// The outputs the user can switch between while playing, named as `--output` and
// `--list-outputs` name them: "fluidsynth", "chimes", the ALSA sequencer's ports, "none".
struct OutputCatalog {
    // The output in use.
    std::string current;
    // The ALSA sequencer's output ports (asked again each time the menu opens).
    std::function<std::vector<std::string>()> listPorts;
    // Opens an output by name; null with the reason in `error`.
    std::function<std::unique_ptr<MidiPort>(const std::string& name, std::string* error)> open;

    // The embedded synthesizer, the modelled chimes, every port, then no output.
    std::vector<std::string> names() const;
    // The entry of `names` that `name` selects the way `--output` does, or -1.
    static int find(const std::vector<std::string>& names, const std::string& name);
    // The text the Output submenu shows for an output.
    static std::string menuText(const std::string& name);
};

}  // namespace tinsori
