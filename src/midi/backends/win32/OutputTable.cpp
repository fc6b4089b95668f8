#include "midi/backends/OutputTable.h"

#include <algorithm>
#include <array>

#include "midi/backends/win32/WinMmPort.h"
#include "midi/ports/NullPort.h"
#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

std::unique_ptr<MidiPort> OpenMapper(const OutputChoice&, std::string* error) {
    return WinMmPort::openMapper(error);
}

std::unique_ptr<MidiPort> OpenDevice(const OutputChoice& choice, std::string* error) {
    return WinMmPort::openDevice(choice.output, error);
}

std::unique_ptr<MidiPort> OpenNothing(const OutputChoice&, std::string*) {
    return std::make_unique<NullPort>();
}

constexpr const char* kCloseOthers =
    " Close any other program that may be using MIDI; --list-outputs lists the devices there "
    "are.";

constexpr std::array kOutputs = {
    OutputEntry{WinMmPort::kMapperName, "MIDI mapper", kCloseOthers, OpenMapper},
    OutputEntry{nullptr, nullptr, kCloseOthers, OpenDevice},
    OutputEntry{"none", "None", "", OpenNothing},
};

}  // namespace

std::span<const OutputEntry> OutputTable() {
    return kOutputs;
}

// The default output, and a profile that remembers Linux's default, play through the mapper.
const OutputEntry& OutputFor(const std::string& name) {
    if (name.empty() || EqualsIgnoringCase(name, kFluidSynthOutput)) return kOutputs.front();
    const auto named = std::ranges::find_if(kOutputs, [&](const OutputEntry& entry) {
        return entry.name && EqualsIgnoringCase(entry.name, name);
    });
    if (named != kOutputs.end()) return *named;
    return *std::ranges::find(kOutputs, nullptr, &OutputEntry::name);
}

}  // namespace tinsori
