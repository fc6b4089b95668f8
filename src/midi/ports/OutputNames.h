#pragma once

#include <string>
#include <vector>

namespace tinsori {

// The outputs `--output` names besides the ALSA sequencer's ports.
inline constexpr const char* kFluidSynthOutput = "fluidsynth";
inline constexpr const char* kChimesOutput = "chimes";
inline constexpr const char* kNoOutput = "none";

// Index of the port that `name` selects among `ports` (names as RtMidi reports them, ending in
// their address "client:port"): the port whose whole name, whose name without the address, or
// whose address is `name`; -1 when none is or `name` is empty.
int MatchPortName(const std::vector<std::string>& ports, const std::string& name);

// The address "client:port" a port's name ends in; empty when it ends in none.
std::string PortAddress(const std::string& port);

}  // namespace tinsori
