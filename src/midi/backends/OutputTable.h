#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "midi/backends/OutputFactory.h"

namespace tinsori {

// One kind of output the user can choose. `--output`, `--list-outputs`, the Output menu and the
// headless player all read the table, so a new output is one entry and its own file.
struct OutputEntry {
    const char* name;      // as `--output` takes it; null: the ALSA sequencer's ports, each one
    const char* menuText;  // as the Output menu shows it (a port shows its own name)
    const char* nextStep;  // what to try when it does not open, as a sentence after the reason
    std::unique_ptr<MidiPort> (*open)(const OutputChoice& choice, std::string* error);
    // The unnamed entry's outputs as they are listed now (the sequencer's ports, the devices).
    std::vector<OutputListing> (*list)() = nullptr;
};

// Every kind, in the order they are listed.
std::span<const OutputEntry> OutputTable();

// The entry that opens `name`: a named one (without regard to case; empty is the default
// output), else the sequencer's ports.
const OutputEntry& OutputFor(const std::string& name);

// The entry of `table` named `name` without regard to case, else its unnamed one.
const OutputEntry& NamedOrUnnamed(std::span<const OutputEntry> table, const std::string& name);
// The "none" output: every message goes nowhere.
std::unique_ptr<MidiPort> OpenNothing(const OutputChoice& choice, std::string* error);

}  // namespace tinsori
