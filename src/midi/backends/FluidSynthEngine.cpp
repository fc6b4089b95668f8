#include "midi/backends/FluidSynthEngine.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "midi/backends/LibraryLogs.h"
#include "midi/ports/ShortMessage.h"

namespace tinsori {

namespace {

bool readable(const std::string& path) {
    return !path.empty() && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::vector<std::string> FluidSynthEngine::defaultSoundfonts(const std::string& folder) {
    const std::string link = folder + "/default-GM.sf2";
    const std::string fuller = folder + "/FluidR3_GM.sf2";
    const std::string small = folder + "/TimGM6mb.sf2";
    // Debian points the link at the smallest set when it was installed first or alone; its
    // chimes lack the high partials that make them shimmer, so the fuller set goes first then.
    std::error_code ec;
    const bool linkIsSmall =
        std::filesystem::canonical(link, ec).filename() == std::filesystem::path(small).filename();
    // Debian's .sf3 link last, for a system whose only General MIDI soundfont is an .sf3 one.
    const std::string sf3Link = "/usr/share/sounds/sf3/default-GM.sf3";
    if (linkIsSmall) return {fuller, link, small, sf3Link};
    return {link, fuller, small, sf3Link};
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
    const std::vector<std::string> paths = defaultSoundfonts(kSoundfontFolder);
    const auto found = std::find_if(paths.begin(), paths.end(), readable);
    if (found != paths.end()) return *found;
    if (error)
        *error = "no General MIDI soundfont found (install fluid-soundfont-gm or use --soundfont)";
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
    // Only the samples of the presets in use are loaded, when a program change selects them:
    // a full General MIDI set then costs the memory and start-up time of the few instruments
    // played instead of all 128.
    fluid_settings_setint(engine->settings_, "synth.dynamic-sample-loading", 1);
    // A second bank of channels only holds presets (see preload).
    fluid_settings_setint(engine->settings_, "synth.midi-channels", 2 * kChannels);
    engine->synth_ = new_fluid_synth(engine->settings_);
    if (!engine->synth_) {
        if (error) *error = "cannot create the synthesizer";
        return nullptr;
    }
    // Checked first: handing another kind of file to the loader makes a helper library complain
    // on stderr. Loaded without giving every channel the piano and the drum channel its kit:
    // their samples, a large share of a full set, would be read though nothing plays them. A
    // channel gets its preset from the program change sent before its first note.
    if (!fluid_is_soundfont(path.c_str()) ||
        fluid_synth_sfload(engine->synth_, path.c_str(), 0) == FLUID_FAILED) {
        if (error) *error = "cannot load the soundfont " + path;
        return nullptr;
    }
    return engine;
}

FluidSynthEngine::~FluidSynthEngine() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

void FluidSynthEngine::preload(uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    // Selecting the preset on the channel's silent twin loads its samples here and now; the
    // program change itself then finds them loaded and only counts one more user.
    if (m.kind() == kProgramChange)
        fluid_synth_program_change(synth_, m.channel() + kChannels, m.data1);
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
