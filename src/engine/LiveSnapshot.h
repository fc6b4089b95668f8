#pragma once

#include <cstdint>

#include "engine/StrikeLog.h"

namespace tinsori {

// The pendulum's swing as of its last update: enough to follow it between strikes, since the
// phases advance at a steady rate until the next update.
struct SwingState {
    double phaseA = 0, phaseB = 0;
    double periodA = 3.0, periodB = 3.0;  // seconds
    double angle = 0;
    double drive = 0;           // amplitude of the main component
    double crossAmplitude = 0;  // amplitude of the cross component
    uint32_t clock = 0;         // tick at which the phases were current
};

// What the simulation shows the outside world: the swing, the wind it plays with, the wait it
// is in and the strikes it sounded.
struct LiveSnapshot {
    uint32_t serial = 0;  // 0 until the thread has published
    SwingState swing;
    double effectiveWind = 0;
    uint32_t waitStart = 0;  // tick the current wait counts from
    uint32_t beat = 0;       // the beat grid of the current wait in ms, 0 off the grid
    StrikeLog strikes;
};

}  // namespace tinsori
