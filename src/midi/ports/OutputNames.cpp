#include "midi/ports/OutputNames.h"

namespace tinsori {

int MatchPortName(const std::vector<std::string>& ports, const std::string& name) {
    if (name.empty()) return -1;
    // An address matches the "(client:port)" RtMidi appends to every ALSA port name.
    const std::string address = "(" + name + ")";
    for (size_t i = 0; i < ports.size(); ++i) {
        const std::string& port = ports[i];
        if (port.size() >= address.size() &&
            port.compare(port.size() - address.size(), address.size(), address) == 0)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < ports.size(); ++i)
        if (ports[i].find(name) != std::string::npos) return static_cast<int>(i);
    return -1;
}

}  // namespace tinsori
