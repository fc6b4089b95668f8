#include "midi/backends/win32/WinMmPort.h"

#include "platform/win32/WideText.h"

namespace tinsori {

namespace {

std::string ErrorText(MMRESULT result) {
    wchar_t text[MAXERRORLENGTH] = {};
    if (midiOutGetErrorTextW(result, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return "error " + std::to_string(result);
    return Narrow(text);
}

std::string DeviceName(UINT id) {
    MIDIOUTCAPSW caps{};
    if (midiOutGetDevCapsW(id, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
    return Narrow(caps.szPname);
}

}  // namespace

std::unique_ptr<WinMmPort> WinMmPort::openMapper(std::string* error) {
    if (midiOutGetNumDevs() == 0) {
        if (error) *error = "there is no MIDI output device";
        return nullptr;
    }
    return open(MIDI_MAPPER, "Microsoft MIDI Mapper", error);
}

std::unique_ptr<WinMmPort> WinMmPort::openDevice(const std::string& name, std::string* error) {
    const std::wstring wanted = Widen(name);
    const UINT count = midiOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        const std::wstring device = Widen(DeviceName(id));
        if (CompareStringOrdinal(device.c_str(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL)
            return open(id, DeviceName(id), error);
    }
    if (error) *error = "cannot open the output \"" + name + "\": there is no such MIDI device";
    return nullptr;
}

std::unique_ptr<WinMmPort> WinMmPort::open(UINT id, const std::string& name, std::string* error) {
    HMIDIOUT handle = nullptr;
    const MMRESULT result = midiOutOpen(&handle, id, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        if (error) *error = "cannot open " + name + ": " + ErrorText(result);
        return nullptr;
    }
    return std::unique_ptr<WinMmPort>(new WinMmPort(handle, name));
}

std::vector<std::string> WinMmPort::listDevices() {
    std::vector<std::string> names;
    const UINT count = midiOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) names.push_back(DeviceName(id));
    return names;
}

WinMmPort::~WinMmPort() {
    midiOutClose(handle_);
}

void WinMmPort::send(uint32_t message) {
    const MMRESULT result = midiOutShortMsg(handle_, message);
    // A device that went away (unplugged) fails every send from then on: said once.
    if (result != MMSYSERR_NOERROR && stopped_.empty()) stopped_ = ErrorText(result);
}

}  // namespace tinsori
