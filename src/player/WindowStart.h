#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/Player.h"

namespace tinsori {

class ChimeRingPlaces;
class MidiPort;
class StopSignalDescriptor;

// What a window front end needs from the program's start: where it plays and what it was asked.
struct WindowStart {
    Timebase& timebase;
    ProfileStore& store;
    OutputOpener opener;
    std::optional<uint32_t> seed;
    std::string commandLine;         // a "Settings,..." line, or empty
    bool minimized = false;          // start hidden
    bool liveView = false;           // --view: the live view opens with the window
    std::string profileNotice;       // a damaged profile was moved aside: shown once
    MidiPort* messageLog = nullptr;  // --midi-log
    StopSignalDescriptor* stopSignals = nullptr;
    std::string favorite;   // --favorite: applied once the window has started, or empty
    OutputCatalog outputs;  // what the Output menus offer
    uint32_t sleepMs = 0;   // --sleep: the sleep timer, 0 for none
    std::vector<std::string> toolkitArgs;  // the toolkit's own options ("-style", "fusion")
    // Where the modelled chimes hang: attached to the window's settings while it lives.
    ChimeRingPlaces* ring = nullptr;
};

}  // namespace tinsori
