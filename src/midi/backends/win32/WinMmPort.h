#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <memory>
#include <string>
#include <vector>

#include "midi/ports/MidiPort.h"

namespace tinsori {

// A MIDI output of Windows' multimedia system: the MIDI mapper (the user's chosen synthesizer)
// or one device by name. Each message is one midiOutShortMsg.
class WinMmPort : public MidiPort {
public:
    // The name `--output` gives the MIDI mapper.
    static constexpr const char* kMapperName = "mapper";

    // Opens the MIDI mapper; null with a reason when there is no device or it is in use.
    static std::unique_ptr<WinMmPort> openMapper(std::string* error);
    // Opens the device of that name (as listDevices gives it, without regard to case).
    static std::unique_ptr<WinMmPort> openDevice(const std::string& name, std::string* error);
    // The MIDI output devices there are, by name.
    static std::vector<std::string> listDevices();

    ~WinMmPort() override;
    WinMmPort(const WinMmPort&) = delete;
    WinMmPort& operator=(const WinMmPort&) = delete;

    void send(uint32_t message) override;
    std::string describe() const override { return name_; }
    std::string whyStopped() override { return stopped_; }

private:
    WinMmPort(HMIDIOUT handle, std::string name) : handle_(handle), name_(std::move(name)) {}
    static std::unique_ptr<WinMmPort> open(UINT id, const std::string& name, std::string* error);

    HMIDIOUT handle_;
    std::string name_;
    std::string stopped_;
};

}  // namespace tinsori
