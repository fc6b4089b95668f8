// What both systems' output tables share: finding an entry, opening it and listing them all.
#include <algorithm>
#include <iterator>

#include "midi/backends/OutputTable.h"
#include "midi/ports/ForwardingPort.h"
#include "midi/ports/NullPort.h"
#include "platform/AsciiCase.h"

namespace tinsori {

const OutputEntry& NamedOrUnnamed(std::span<const OutputEntry> table, const std::string& name) {
    const auto named = std::ranges::find_if(table, [&](const OutputEntry& entry) {
        return entry.name && EqualsIgnoringCase(entry.name, name);
    });
    if (named != table.end()) return *named;
    return *std::ranges::find(table, nullptr, &OutputEntry::name);
}

std::unique_ptr<MidiPort> OpenNothing(const OutputChoice&, std::string*) {
    return std::make_unique<NullPort>();
}

std::unique_ptr<MidiPort> OpenOutput(const OutputChoice& choice, std::string* error) {
    if (choice.lent) return std::make_unique<ForwardingPort>(*choice.lent);
    return OutputFor(choice.output).open(choice, error);
}

std::vector<OutputListing> ListOutputs() {
    std::vector<OutputListing> outputs;
    for (const OutputEntry& entry : OutputTable()) {
        if (entry.name) {
            outputs.push_back({entry.name, entry.menuText, false});
            continue;
        }
        std::ranges::move(entry.list(), std::back_inserter(outputs));
    }
    return outputs;
}

}  // namespace tinsori
