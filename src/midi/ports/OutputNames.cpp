#include "midi/ports/OutputNames.h"

#include <utility>

#include "platform/AsciiCase.h"

namespace tinsori {

namespace {

// RtMidi ends each ALSA port name with its address, "client:port", after a space and sometimes
// in parentheses. Splits that address off; empty when the name does not end in one.
std::pair<std::string, std::string> SplitAddress(const std::string& port) {
    const size_t space = port.rfind(' ');
    if (space == std::string::npos) return {port, {}};
    std::string address = port.substr(space + 1);
    if (address.size() > 2 && address.front() == '(' && address.back() == ')')
        address = address.substr(1, address.size() - 2);
    const size_t colon = address.find(':');
    const bool digits = colon != std::string::npos && colon > 0 && colon + 1 < address.size() &&
                        address.find_first_not_of("0123456789:") == std::string::npos;
    if (!digits) return {port, {}};
    return {port.substr(0, space), address};
}

}  // namespace

std::string PortAddress(const std::string& port) {
    return SplitAddress(port).second;
}

int MatchPortName(const std::vector<std::string>& ports, const std::string& name) {
    if (name.empty()) return -1;
    // Whole names only: a fragment remembered in the profile would pick whatever port happens to
    // contain it on a later run, or none.
    for (size_t i = 0; i < ports.size(); ++i) {
        const auto [plain, address] = SplitAddress(ports[i]);
        if (ports[i] == name || address == name || (!address.empty() && plain == name))
            return static_cast<int>(i);
    }
    return -1;
}

OutputListing PortListing(const std::string& port) {
    OutputListing listing{port, {}, true};
    for (const char c : port) {
        listing.menuText += c;
        if (c == '&') listing.menuText += '&';
    }
    return listing;
}

int FindOutput(const std::vector<OutputListing>& outputs, const std::string& name) {
    const std::string wanted = name.empty() ? kFluidSynthOutput : name;
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (!outputs[i].port && EqualsIgnoringCase(outputs[i].name, wanted))
            return static_cast<int>(i);
    }
    std::vector<std::string> ports;
    std::vector<int> at;
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (!outputs[i].port) continue;
        ports.push_back(outputs[i].name);
        at.push_back(static_cast<int>(i));
    }
    const int port = MatchPortName(ports, wanted);
    return port < 0 ? -1 : at[port];
}

}  // namespace tinsori
