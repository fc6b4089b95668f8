#pragma once

#include <string>
#include <vector>

namespace tinsori {

// The output that plays when none was chosen.
inline constexpr const char* kFluidSynthOutput = "fluidsynth";
// The modelled chimes, which audio renders play through too when chosen.
inline constexpr const char* kChimesOutput = "chimes";
// The output that sends nowhere.
inline constexpr const char* kNoOutput = "none";

// One output as `--list-outputs` and the Output menu show it.
struct OutputListing {
    std::string name;      // as `--output` takes it
    std::string menuText;  // as the Output menu shows it
    bool port = false;     // an ALSA sequencer port, found by address too
};

// The listing of a sequencer port: its own name, with '&' doubled so it is no mnemonic.
OutputListing PortListing(const std::string& port);

// The entry of `outputs` that `name` selects, the way `--output` takes it (empty: the default
// output): a named output without regard to case, or a port (exactly, as the sequencer opens it)
// by its whole name, its name without the address, or its address; -1 when none.
int FindOutput(const std::vector<OutputListing>& outputs, const std::string& name);

// Index of the port that `name` selects among `ports` (names as RtMidi reports them, ending in
// their address "client:port"): the port whose whole name, whose name without the address, or
// whose address is `name`; -1 when none is or `name` is empty.
int MatchPortName(const std::vector<std::string>& ports, const std::string& name);

// The address "client:port" a port's name ends in; empty when it ends in none.
std::string PortAddress(const std::string& port);

}  // namespace tinsori
