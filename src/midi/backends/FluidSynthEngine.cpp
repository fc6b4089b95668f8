#include "midi/backends/FluidSynthEngine.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "midi/backends/LibraryLogs.h"
#include "midi/ports/ShortMessage.h"

namespace tinsori {

namespace {

bool readable(const std::string& path) {
    return !path.empty() && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

const std::vector<std::string>& FluidSynthEngine::defaultSoundfonts() {
    static const std::vector<std::string> paths = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
    };
    return paths;
}

std::string FluidSynthEngine::findSoundfont(const std::string& userPath, std::string* error) {
    if (!userPath.empty()) {
        SilenceLibraryLogs();
        if (!readable(userPath)) {
            if (error) *error = "cannot read the soundfont " + userPath;
        } else if (!fluid_is_soundfont(userPath.c_str())) {
            if (error) *error = userPath + " is not a soundfont (give a .sf2 or .sf3 file)";
        } else {
            return userPath;
        }
        return {};
    }
    for (const std::string& path : defaultSoundfonts())
        if (readable(path)) return path;
    if (error)
        *error = "no General MIDI soundfont found (install timgm6mb-soundfont or use --soundfont)";
    return {};
}

std::vector<std::string> FluidSynthEngine::audioDrivers() {
    SilenceLibraryLogs();
    std::vector<std::string> names;
    fluid_settings_t* probe = new_fluid_settings();
    if (!probe) return names;
    fluid_settings_foreach_option(
        probe, "audio.driver", &names, [](void* data, const char*, const char* option) {
            static_cast<std::vector<std::string>*>(data)->push_back(option);
        });
    delete_fluid_settings(probe);
    return names;
}

std::unique_ptr<FluidSynthEngine> FluidSynthEngine::create(const std::string& userPath,
                                                           std::string* error, double gainDb) {
    SilenceLibraryLogs();
    const std::string path = findSoundfont(userPath, error);
    if (path.empty()) return nullptr;

    std::unique_ptr<FluidSynthEngine> engine(new FluidSynthEngine());
    engine->soundfont_ = path;
    engine->settings_ = new_fluid_settings();
    if (!engine->settings_) {
        if (error) *error = "cannot create the synthesizer's settings";
        return nullptr;
    }
    fluid_settings_setnum(engine->settings_, "synth.sample-rate", kSampleRate);
    // FluidSynth refuses a gain above 10; the command line keeps well below.
    const double gain = std::min(kGain * std::pow(10.0, gainDb / 20.0), 10.0);
    fluid_settings_setnum(engine->settings_, "synth.gain", gain);
    engine->synth_ = new_fluid_synth(engine->settings_);
    if (!engine->synth_) {
        if (error) *error = "cannot create the synthesizer";
        return nullptr;
    }
    // Checked first: handing another kind of file to the loader makes a helper library complain
    // on stderr.
    if (!fluid_is_soundfont(path.c_str()) ||
        fluid_synth_sfload(engine->synth_, path.c_str(), 1) == FLUID_FAILED) {
        if (error) *error = "cannot load the soundfont " + path;
        return nullptr;
    }
    return engine;
}

FluidSynthEngine::~FluidSynthEngine() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

void FluidSynthEngine::apply(uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    const int channel = m.channel();
    // The synth rejects data bytes above 127 by itself; nothing here can crash it.
    switch (m.kind()) {
        case kNoteOff:
            fluid_synth_noteoff(synth_, channel, m.data1);
            break;
        case kNoteOn:
            if (m.data2 == 0)
                fluid_synth_noteoff(synth_, channel, m.data1);
            else
                fluid_synth_noteon(synth_, channel, m.data1, m.data2);
            break;
        case kControlChange:
            fluid_synth_cc(synth_, channel, m.data1, m.data2);
            break;
        case kProgramChange:
            fluid_synth_program_change(synth_, channel, m.data1);
            break;
        default:
            break;
    }
}

void FluidSynthEngine::render(float* left, float* right, int frames, int stride) {
    fluid_synth_write_float(synth_, frames, left, 0, stride, right, 0, stride);
}

}  // namespace tinsori
