#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/backends/FluidSynthEngine.h"
#include "midi/ports/MidiPort.h"

namespace tinsori {

// The default output: the embedded synthesizer playing through FluidSynth's own audio driver.
// Deleting the port deletes the driver, so a paused program renders nothing.
class FluidSynthPort : public MidiPort {
public:
    // Audio drivers tried in order when none is named, among those the library has. A desktop
    // sound server comes first: opening the card directly through ALSA would take it away from
    // the other programs.
    static std::vector<std::string> audioDriverOrder();
    // Every audio driver the library has: the order above first, then the rest.
    static std::vector<std::string> audioDriverNames();

    // Loads the soundfont (`soundfont` empty: the default search) and starts `audioDriver`
    // (empty: the first of the order that opens). Null with a reason when either fails.
    static std::unique_ptr<FluidSynthPort> open(const std::string& soundfont,
                                                const std::string& audioDriver, std::string* error,
                                                double gainDb = 0.0);
    ~FluidSynthPort() override;

    void send(uint32_t message) override { engine_->apply(message); }
    std::string describe() const override;

private:
    FluidSynthPort(std::unique_ptr<FluidSynthEngine> engine, fluid_audio_driver_t* driver,
                   std::string driverName);

    std::unique_ptr<FluidSynthEngine> engine_;
    fluid_audio_driver_t* driver_;
    std::string driverName_;
};

}  // namespace tinsori
