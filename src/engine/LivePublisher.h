#pragma once

#include <cstdint>

#include "engine/LiveSnapshot.h"
#include "platform/LatestValue.h"

namespace tinsori {

// The simulation thread's window to the outside: it records strikes as they sound and publishes
// a whole snapshot before each wait; one reader thread (the live view) takes the newest. Neither
// side waits for the other, so watching never moves a strike.
class LivePublisher {
public:
    // Simulation thread.
    void RecordStrike(uint32_t tick, int chime, int velocity) {
        working_.strikes.add(tick, chime, velocity);
    }
    void Publish(const SwingState& swing, double effectiveWind, uint32_t waitStart, uint32_t beat) {
        working_.serial++;
        working_.swing = swing;
        working_.effectiveWind = effectiveWind;
        working_.waitStart = waitStart;
        working_.beat = beat;
        exchange_.back() = working_;
        exchange_.publish();
    }

    // The one reader thread: the newest snapshot (serial 0 before the first).
    const LiveSnapshot& latest() { return exchange_.latest(); }

private:
    LiveSnapshot working_;
    LatestValue<LiveSnapshot> exchange_;
};

}  // namespace tinsori
