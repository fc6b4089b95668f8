#include "midi/backends/AlsaSeqPort.h"

#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include "midi/backends/LibraryLogs.h"
#include "midi/ports/OutputNames.h"
#include "midi/ports/ShortMessage.h"

namespace tinsori {

namespace {

constexpr const char* kSequencerDevice = "/dev/snd/seq";
constexpr const char* kClientName = "Tinsori";

// RtMidi prints its own warnings; the caller gets the reason instead.
void ignoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

std::unique_ptr<RtMidiOut> openSequencer(std::string* error) {
    SilenceLibraryLogs();
    if (::access(kSequencerDevice, F_OK) != 0) {
        if (error) *error = std::string("no ALSA sequencer (") + kSequencerDevice + " is missing)";
        return nullptr;
    }
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
        out->setErrorCallback(&ignoreRtMidiError, nullptr);
        return out;
    } catch (const RtMidiError& e) {
        if (error) *error = "cannot open the ALSA sequencer: " + e.getMessage();
        return nullptr;
    }
}

std::vector<std::string> portNames(RtMidiOut& out) {
    std::vector<std::string> names;
    const unsigned count = out.getPortCount();
    for (unsigned i = 0; i < count; ++i) names.push_back(out.getPortName(i));
    return names;
}

}  // namespace

std::vector<std::string> AlsaSeqPort::listPorts(std::string* error) {
    auto out = openSequencer(error);
    return out ? portNames(*out) : std::vector<std::string>{};
}

int AlsaSeqPort::matchPort(const std::vector<std::string>& ports, const std::string& name) {
    return MatchPortName(ports, name);
}

std::unique_ptr<AlsaSeqPort> AlsaSeqPort::open(const std::string& name, std::string* error) {
    auto out = openSequencer(error);
    if (!out) return nullptr;
    const std::vector<std::string> ports = portNames(*out);
    const int index = matchPort(ports, name);
    if (index < 0) {
        if (error) *error = "no MIDI output named \"" + name + "\"";
        return nullptr;
    }
    try {
        out->openPort(static_cast<unsigned>(index), kClientName);
    } catch (const RtMidiError& e) {
        if (error) *error = "cannot open " + ports[index] + ": " + e.getMessage();
        return nullptr;
    }
    if (!out->isPortOpen()) {
        if (error) *error = "cannot open " + ports[index];
        return nullptr;
    }
    return std::unique_ptr<AlsaSeqPort>(new AlsaSeqPort(std::move(out), ports[index]));
}

AlsaSeqPort::AlsaSeqPort(std::unique_ptr<RtMidiOut> out, std::string name)
    : name_(std::move(name)), watch_(PortAddress(name_)), out_(std::move(out)) {
    // With a callback set, RtMidi neither prints nor throws: a failed send lands here.
    out_->setErrorCallback([](RtMidiError::Type type, const std::string& text,
                              void* port) { recordError(type, text, port); },
                           this);
}

AlsaSeqPort::~AlsaSeqPort() = default;

void AlsaSeqPort::recordError(int type, const std::string& text, void* port) {
    auto& self = *static_cast<AlsaSeqPort*>(port);
    if (type != RtMidiError::DEBUG_WARNING && self.failure_.empty())
        self.failure_ = text.empty() ? "a send failed" : text;
}

void AlsaSeqPort::send(uint32_t message) {
    if (!failure_.empty()) return;
    const ShortMessage m = ShortMessage::decode(message);
    const unsigned char bytes[3] = {m.status, m.data1, m.data2};
    try {
        out_->sendMessage(bytes, 1 + static_cast<size_t>(m.dataLength()));
    } catch (const RtMidiError& e) {
        recordError(e.getType(), e.getMessage(), this);
    }
}

std::string AlsaSeqPort::whyStopped() {
    if (failure_.empty() && !watch_.connected())
        failure_ = "the port went away (its program ended or the device was unplugged)";
    return failure_;
}

}  // namespace tinsori
