#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tinsori {

// The synthesizer's frame counter seen from the steady clock. Each audio block reports the steady
// time at which its first frame will be heard, but only as well as the audio thread's wake-up
// allows: a report is never early, often late by a few milliseconds, and late by far more on a
// busy machine. So the earliest report of each short window is kept, and the line is the least
// squares fit through the last of those: its slope follows the sound card's rate, which drifts
// against the steady clock. A window whose earliest report lies off the line means the sound
// itself moved (an underrun, a suspend) once the next window agrees: the line steps there instead
// of being pulled across the gap.
class SampleClock {
public:
    struct Tuning {
        double sampleRate = 44100.0;
        // Long enough for the thread to wake in time at least once, short enough to follow a
        // moved sound quickly.
        int64_t windowNs = 120'000'000;
        // The first windows after a start or a move are shorter, doubling up to `windowNs`, so
        // the line settles within the opening notes.
        int64_t firstWindowNs = 30'000'000;
        // Earliest reports lie within a tenth of a millisecond of the line on a steady sound;
        // one this far off it means the sound moved.
        int64_t stepNs = 1'000'000;
        // A single report this far off (a stall, a suspend) moves the line without waiting for
        // its window to end.
        int64_t relockNs = 25'000'000;
        // Windows the line is fitted through (15 s at the full window) ...
        int historyWindows = 128;
        // ... once they span this much; before, the slope is kept.
        int64_t slopeSpanNs = 2'000'000'000;
    };

    explicit SampleClock(const Tuning& tuning);

    // The block starting at `frame` is heard from `heardNs` (steady clock) on, or later.
    void observe(uint64_t frame, int64_t heardNs);
    // False until the first report.
    bool running() const { return running_; }
    // The frame heard at steady time `ns`, on the line (fractional, may lie before or after any
    // reported block).
    double frameAt(int64_t ns) const;
    // The sound card's rate as measured against the steady clock.
    double measuredRate() const { return 1e9 / nsPerFrame_; }
    // How often a single report far off the line moved it (stalls, suspends).
    int relocks() const { return relocks_; }
    // How often a window found the sound moved by more than `stepNs` (underruns included).
    int steps() const { return steps_; }

private:
    struct Report {
        uint64_t frame = 0;
        int64_t heardNs = 0;
    };

    double lineAt(uint64_t frame) const;
    void restartAt(const Report& report);
    void startWindow(const Report& report);
    void closeWindow();
    void fitLine();

    Tuning tuning_;
    bool running_ = false;
    uint64_t frame0_ = 0;  // a frame on the line
    double time0_ = 0.0;   // when it is heard, in steady nanoseconds
    double nsPerFrame_;    // the line's slope
    uint64_t lastFrame_ = 0;
    int64_t windowStartNs_ = 0;
    int64_t windowLengthNs_ = 0;
    Report earliest_;  // of the current window, against the line
    double earliestError_ = 0.0;
    bool stepPending_ = false;  // the last window found the sound moved by `pendingError_`
    double pendingError_ = 0.0;
    std::vector<Report> history_;  // a ring of each window's earliest report
    size_t historyNext_ = 0;
    size_t historyCount_ = 0;
    int relocks_ = 0;
    int steps_ = 0;
};

}  // namespace tinsori
