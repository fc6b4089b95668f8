#include "player/OutputCatalog.h"

#include <strings.h>

#include <algorithm>
#include <iterator>

#include "midi/ports/OutputNames.h"

namespace tinsori {

namespace {

bool SameName(const std::string& a, const char* b) {
    return ::strcasecmp(a.c_str(), b) == 0;
}

// Every name but the program's own outputs is an ALSA sequencer port.
bool IsPortName(const std::string& name) {
    return !SameName(name, kFluidSynthOutput) && !SameName(name, kChimesOutput) &&
           !SameName(name, kNoOutput);
}

}  // namespace

std::vector<std::string> OutputCatalog::names() const {
    std::vector<std::string> all = {kFluidSynthOutput, kChimesOutput};
    if (listPorts) {
        std::vector<std::string> ports = listPorts();
        std::move(ports.begin(), ports.end(), std::back_inserter(all));
    }
    all.push_back(kNoOutput);
    return all;
}

int OutputCatalog::find(const std::vector<std::string>& names, const std::string& name) {
    const std::string wanted = name.empty() ? kFluidSynthOutput : name;
    for (size_t i = 0; i < names.size(); ++i) {
        if (::strcasecmp(names[i].c_str(), wanted.c_str()) == 0) return static_cast<int>(i);
    }
    if (!IsPortName(wanted)) return -1;
    // Any other name is a port, as `--output` takes it: by address or part of its name.
    std::vector<std::string> ports;
    std::copy_if(names.begin(), names.end(), std::back_inserter(ports), IsPortName);
    const int port = MatchPortName(ports, wanted);
    if (port < 0) return -1;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == ports[port]) return static_cast<int>(i);
    }
    return -1;
}

std::string OutputCatalog::menuText(const std::string& name) {
    if (SameName(name, kFluidSynthOutput)) return "Embedded synthesizer";
    if (SameName(name, kChimesOutput)) return "Modelled chimes";
    if (SameName(name, kNoOutput)) return "None";
    // A port's own '&' must not turn into a mnemonic.
    std::string text;
    for (const char c : name) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

}  // namespace tinsori
