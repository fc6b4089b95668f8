#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "model/Pink.h"
#include "model/Random.h"
#include "model/SettingsSchema.h"

namespace tinsori {

// Slots of the per-chime arrays shared with the UI, and of the simulation's own tables.
inline constexpr int kChimeSlots = 78;
inline constexpr int kModelSlots = 113;
inline constexpr int kMaxChimes = 77;
inline constexpr int kNoNote = 128;

// Chime configurations, stored as these values and tested by the engine as bits.
enum Configuration : int {
    kCenterPendulum = 1,
    kAllIndependent = 2,
    kChimesOnly = 4,
    kQuantized = 8,
};

// Wind energy held by each chime: the one member of the live settings the simulation thread
// writes (the UI clears it).
using ChimeEnergy = std::array<std::atomic<double>, kChimeSlots>;

// The live members the simulation thread reads: the UI thread writes them, the thread reads each
// afresh at every use. All atomics, so that no read from the thread can race with a write.
struct SharedChimeSettings {
    std::atomic<int> instrument{setting::kInstrument.storedDefault};
    std::atomic<int> channel{0};
    std::atomic<int> volume{setting::kVolume.storedDefault};
    std::atomic<int> holdNotes{1};
    std::atomic<int> windNow{setting::kWind.storedDefault};
    std::atomic<int> stopThread{0};
    std::array<std::atomic<int>, kChimeSlots> chimeNotes{};
    std::atomic<int> numChimes{7};
    std::atomic<int> scaleIndex{0};
    std::atomic<double> pinkness{setting::kPinkness.defaultValue()};
    std::atomic<double> closeness{setting::kCloseness.defaultValue()};
    std::atomic<int> configuration{kCenterPendulum};
    std::atomic<int> fractal{0};
    std::atomic<int> chords{0};
    std::atomic<int> startedWithSettings{0};
    std::atomic<double> length{setting::kLength.defaultValue()};

    // The chime count as an index bound: always 1..77 whatever a store or favorite held.
    int chimeCount() const {
        int n = numChimes.load(std::memory_order_relaxed);
        return n < 1 ? 1 : (n > kMaxChimes ? kMaxChimes : n);
    }
};

// The live chime parameters: the shared members above, the chime energy, and the members the UI
// thread alone touches.
struct ChimeSettings : SharedChimeSettings {
    // Constructs `windPink` (one draw from the UI thread's generator) and the defaults of an
    // empty store. The owner seeds the generator, loads stored values and ranges `windPink` after.
    explicit ChimeSettings(Random& uiRandom);

    ChimeEnergy chimeEnergy{};
    int baseNote = setting::kBaseNote.storedDefault;
    uint32_t lastWindWake = 0;
    int windDragging = 0;
    int windSpeed = setting::kWind.storedDefault;
    int constantWind = 0;
    std::array<int, 128> holdFlags{};
    int saveChannel = 1;
    int transpose = setting::kTranspose.storedDefault;
    int shuffle = 0;
    int paused = 0;
    int prismoraEnabled = 1;
    CPink windPink;

    // The UI clears all 78 entries on a change of configuration, even while the thread runs.
    void clearChimeEnergy() {
        for (auto& e : chimeEnergy) e.store(0.0, std::memory_order_relaxed);
    }
};

// What the simulation thread is given of the live settings: the shared members, read-only, and
// the chime energy. The UI thread's own members are out of its reach, so a plain read of one
// from the thread does not compile.
struct SimulationSettings {
    explicit SimulationSettings(ChimeSettings& settings)
        : shared(settings), chimeEnergy(settings.chimeEnergy) {}

    const SharedChimeSettings& shared;
    ChimeEnergy& chimeEnergy;
};

}  // namespace tinsori
