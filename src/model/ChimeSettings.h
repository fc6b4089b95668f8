#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "model/Pink.h"
#include "model/Random.h"

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

// The live chime parameters. The UI thread writes them; the simulation thread reads each afresh
// at every use and writes only `chimeEnergy`. Shared members are atomics; the rest are touched by
// the UI thread alone. Members are in the record's declaration order.
struct ChimeSettings {
    // Constructs `windPink` (one draw from the UI thread's generator) and the defaults of an
    // empty store. The owner seeds the generator, loads stored values and ranges `windPink` after.
    explicit ChimeSettings(Random& uiRandom);

    std::atomic<int> instrument{14};
    std::atomic<int> channel{0};
    std::atomic<int> volume{80};
    std::atomic<int> holdNotes{1};
    int baseNote = 52;
    uint32_t lastWindWake = 0;
    int windDragging = 0;
    std::atomic<int> windNow{404};
    int windSpeed = 404;
    int constantWind = 0;
    std::atomic<int> stopThread{0};
    std::array<std::atomic<int>, kChimeSlots> chimeNotes{};
    std::array<std::atomic<double>, kChimeSlots> chimeEnergy{};
    std::array<int, 128> holdFlags{};
    std::atomic<int> numChimes{7};
    int saveChannel = 1;
    std::atomic<int> scaleIndex{0};
    int transpose = -3;
    std::atomic<double> pinkness{1.0};
    std::atomic<double> closeness{1.533};
    std::atomic<int> configuration{kCenterPendulum};
    int shuffle = 0;
    std::atomic<int> fractal{0};
    std::atomic<int> chords{0};
    int paused = 0;
    int prismoraEnabled = 1;
    CPink windPink;
    std::atomic<int> startedWithSettings{0};
    std::atomic<double> length{1500.0};

    // The chime count as an index bound: always 1..77 whatever a store or favorite held.
    int chimeCount() const {
        int n = numChimes.load(std::memory_order_relaxed);
        return n < 1 ? 1 : (n > kMaxChimes ? kMaxChimes : n);
    }

    // The UI clears all 78 entries on a change of configuration, even while the thread runs.
    void clearChimeEnergy() {
        for (auto& e : chimeEnergy) e.store(0.0, std::memory_order_relaxed);
    }
};

}  // namespace tinsori
