#include "midi/backends/FluidSynthPort.h"

#include <algorithm>
#include <cstdlib>

namespace tinsori {

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

fluid_audio_driver_t* startDriver(FluidSynthEngine& engine, const std::string& name) {
    if (fluid_settings_setstr(engine.settings(), "audio.driver", name.c_str()) == FLUID_FAILED)
        return nullptr;
    return new_fluid_audio_driver(engine.settings(), engine.synth());
}

std::vector<std::string> preferredAmong(const std::vector<std::string>& built) {
    static const std::vector<std::string> preferred = {"pipewire", "pulseaudio", "alsa", "jack"};
    std::vector<std::string> order;
    for (const std::string& name : preferred)
        if (std::find(built.begin(), built.end(), name) != built.end()) order.push_back(name);
    return order;
}

}  // namespace

std::vector<std::string> FluidSynthPort::audioDriverOrder() {
    return preferredAmong(FluidSynthEngine::audioDrivers());
}

std::vector<std::string> FluidSynthPort::audioDriverNames() {
    const std::vector<std::string> built = FluidSynthEngine::audioDrivers();
    std::vector<std::string> names = preferredAmong(built);
    for (const std::string& name : built)
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    return names;
}

std::unique_ptr<FluidSynthPort> FluidSynthPort::open(const std::string& soundfont,
                                                     const std::string& audioDriver,
                                                     std::string* error, double gainDb) {
    auto engine = FluidSynthEngine::create(soundfont, error, gainDb);
    if (!engine) return nullptr;
    // Trying JACK must never launch a JACK server behind the user's back.
    ::setenv("JACK_NO_START_SERVER", "1", 0);
    const std::vector<std::string> candidates =
        audioDriver.empty() ? audioDriverOrder() : std::vector<std::string>{audioDriver};
    for (const std::string& name : candidates) {
        if (fluid_audio_driver_t* driver = startDriver(*engine, name))
            return std::unique_ptr<FluidSynthPort>(
                new FluidSynthPort(std::move(engine), driver, name));
    }
    if (error) *error = "no audio output could be started (tried " + joined(candidates) + ")";
    return nullptr;
}

FluidSynthPort::FluidSynthPort(std::unique_ptr<FluidSynthEngine> engine,
                               fluid_audio_driver_t* driver, std::string driverName)
    : engine_(std::move(engine)), driver_(driver), driverName_(std::move(driverName)) {}

FluidSynthPort::~FluidSynthPort() {
    // The driver calls into the synth from its own thread: it goes first.
    delete_fluid_audio_driver(driver_);
}

std::string FluidSynthPort::describe() const {
    return "Embedded synthesizer (" + driverName_ + ")";
}

}  // namespace tinsori
