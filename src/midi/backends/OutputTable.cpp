#include "midi/backends/OutputTable.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "midi/backends/AlsaSeqPort.h"
#include "midi/backends/ChimesPort.h"
#include "midi/backends/FluidSynthPort.h"

namespace tinsori {

namespace {

std::unique_ptr<MidiPort> OpenFluidSynth(const OutputChoice& choice, std::string* error) {
    return FluidSynthPort::open(choice.soundfont, choice.audioDriver, error, choice.gainDb,
                                choice.liveTicks);
}

std::unique_ptr<MidiPort> OpenChimes(const OutputChoice& choice, std::string* error) {
    std::string reason;
    auto chimes = ChimesPort::open(choice.ring, choice.gainDb, choice.liveTicks, &reason);
    if (!chimes && error) *error = "cannot play the modelled chimes: " + reason;
    return chimes;
}

std::unique_ptr<MidiPort> OpenSequencerPort(const OutputChoice& choice, std::string* error) {
    std::string reason;
    auto port = AlsaSeqPort::open(choice.output, &reason);
    if (!port && error) *error = "cannot open the output \"" + choice.output + "\": " + reason;
    return port;
}

std::vector<OutputListing> ListSequencerPorts() {
    std::vector<OutputListing> ports;
    std::ranges::transform(AlsaSeqPort::listPorts(), std::back_inserter(ports), PortListing);
    return ports;
}

constexpr std::array kOutputs = {
    OutputEntry{kFluidSynthOutput, "Embedded synthesizer",
                " Is a sound server running? --list-audio-drivers lists the drivers, "
                "--audio-driver NAME picks one.",
                OpenFluidSynth},
    OutputEntry{kChimesOutput, "Modelled chimes",
                " Is a sound server running? The modelled chimes play through PulseAudio or "
                "PipeWire.",
                OpenChimes},
    OutputEntry{nullptr, nullptr, " See --list-outputs for the ports there are.", OpenSequencerPort,
                ListSequencerPorts},
    OutputEntry{kNoOutput, "None", "", OpenNothing},
};

}  // namespace

std::span<const OutputEntry> OutputTable() {
    return kOutputs;
}

const OutputEntry& OutputFor(const std::string& name) {
    return NamedOrUnnamed(kOutputs, name.empty() ? kFluidSynthOutput : name);
}

}  // namespace tinsori
