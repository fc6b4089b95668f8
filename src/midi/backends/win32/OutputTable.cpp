#include "midi/backends/OutputTable.h"

#include <array>

#include "midi/backends/win32/WinMmPort.h"
#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

std::unique_ptr<MidiPort> OpenMapper(const OutputChoice&, std::string* error) {
    return WinMmPort::openMapper(error);
}

std::unique_ptr<MidiPort> OpenDevice(const OutputChoice& choice, std::string* error) {
    return WinMmPort::openDevice(choice.output, error);
}

// A device as the Output menu shows it: '&' doubled, so it is no mnemonic.
std::vector<OutputListing> ListDevices() {
    std::vector<OutputListing> devices;
    for (const std::string& device : WinMmPort::listDevices()) {
        devices.push_back(PortListing(device));
        devices.back().port = false;
    }
    return devices;
}

constexpr const char* kCloseOthers =
    " Close any other program that may be using MIDI; --list-outputs lists the devices there "
    "are.";

constexpr std::array kOutputs = {
    OutputEntry{WinMmPort::kMapperName, "MIDI mapper", kCloseOthers, OpenMapper},
    OutputEntry{nullptr, nullptr, kCloseOthers, OpenDevice, ListDevices},
    OutputEntry{kNoOutput, "None", "", OpenNothing},
};

}  // namespace

std::span<const OutputEntry> OutputTable() {
    return kOutputs;
}

// The default output, and a profile that remembers Linux's default, play through the mapper.
const OutputEntry& OutputFor(const std::string& name) {
    if (name.empty() || EqualsIgnoringCase(name, kFluidSynthOutput)) return kOutputs.front();
    return NamedOrUnnamed(kOutputs, name);
}

}  // namespace tinsori
