#include "midi/backends/FluidSynthPort.h"

#include <algorithm>
#include <chrono>

#include "midi/backends/PulseAudioOutput.h"
#include "platform/Texts.h"

namespace tinsori {

namespace {

constexpr int kDriverPeriods = 2;

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::vector<std::string> preferredAmong(const std::vector<std::string>& built) {
    static const std::vector<std::string> preferred = {"pipewire", "pulseaudio", "alsa", "jack"};
    std::vector<std::string> order;
    for (const std::string& name : preferred)
        if (std::find(built.begin(), built.end(), name) != built.end()) order.push_back(name);
    return order;
}

int64_t SteadyNanoseconds(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// FluidSynth's drivers call back once their previous block has been taken: about the rest of
// their buffer lies queued ahead of this one.
int DriverCallback(void* data, int frames, int, float*[], int outputs, float* out[]) {
    if (outputs < 2) return FLUID_FAILED;
    constexpr int64_t aheadNs = int64_t{1'000'000'000} * LiveSynthStream::kBlockFrames *
                                (kDriverPeriods - 1) / FluidSynthEngine::kSampleRate;
    const int64_t heard = SteadyNanoseconds(std::chrono::steady_clock::now()) + aheadNs;
    static_cast<AudioBlockSource*>(data)->renderBlock(out[0], out[1], frames, heard);
    return FLUID_OK;
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
                                                     std::string* error, double gainDb,
                                                     const SteadyTickClock* ticks) {
    auto engine = FluidSynthEngine::create(soundfont, error, gainDb);
    if (!engine) return nullptr;
    fluid_settings_setint(engine->settings(), "audio.period-size", LiveSynthStream::kBlockFrames);
    fluid_settings_setint(engine->settings(), "audio.periods", kDriverPeriods);
    std::unique_ptr<FluidSynthPort> port(new FluidSynthPort(std::move(engine), ticks));
    const std::vector<std::string> candidates =
        audioDriver.empty() ? audioDriverOrder() : std::vector<std::string>{audioDriver};
    for (const std::string& name : candidates) {
        std::string why;
        if (port->start(name, &why)) return port;
        // A server that hangs would hang the next drivers too: ALSA's default device is often
        // that same server, and nothing there waits with a time limit.
        if (why == PulseConnection::kNoAnswer) {
            if (error) *error = "no audio output could be started: " + why;
            return nullptr;
        }
    }
    if (error) *error = "no audio output could be started (tried " + joined(candidates) + ")";
    return nullptr;
}

FluidSynthPort::FluidSynthPort(std::unique_ptr<FluidSynthEngine> engine,
                               const SteadyTickClock* ticks)
    : engine_(std::move(engine)), stream_(*engine_, ticks) {}

bool FluidSynthPort::start(const std::string& driverName, std::string* why) {
    driverName_ = driverName;
    if (driverName == "pulseaudio") {
        audio_ = PulseAudioOutput::open(stream_, LiveSynthStream::kServerFormat, why);
        return audio_ != nullptr;
    }
    fluid_settings_t* settings = engine_->settings();
    if (fluid_settings_setstr(settings, "audio.driver", driverName.c_str()) == FLUID_FAILED)
        return false;
    driver_ =
        new_fluid_audio_driver2(settings, DriverCallback, static_cast<AudioBlockSource*>(&stream_));
    if (driver_) return true;
    // Drivers without a block callback (the file writer) render by themselves.
    driver_ = new_fluid_audio_driver(settings, engine_->synth());
    untimed_ = driver_ != nullptr;
    return untimed_;
}

FluidSynthPort::~FluidSynthPort() {
    // The audio thread calls into the synth: it stops first.
    audio_.reset();
    if (driver_) delete_fluid_audio_driver(driver_);
}

void FluidSynthPort::send(uint32_t message) {
    if (untimed_) {
        engine_->apply(message);
        return;
    }
    engine_->preload(message);
    stream_.post(message);
}

std::string FluidSynthPort::interruption() const {
    return audio_ ? audio_->interruption() : std::string();
}

std::string FluidSynthPort::describe() const {
    return TextCatalogue::Words(kTextEmbeddedSynth, {driverName_});
}

}  // namespace tinsori
