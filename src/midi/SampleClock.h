#pragma once

#include <cstdint>

namespace tinsori {

// The synthesizer's frame counter seen from the steady clock. Each audio block reports the steady
// time at which its first frame will be heard; a delay-locked loop turns those bursty reports into
// one straight line whose slope follows the sound card's own rate, which drifts against the steady
// clock. A report far off the line (a stall, a suspend, an underrun) restarts the line there
// instead of slowly pulling it across the gap.
class SampleClock {
public:
    struct Tuning {
        double sampleRate = 44100.0;
        // Narrow, so that the sound server's bursts average out; drift is slow.
        double bandwidthHz = 0.2;
        // Wider while the first reports come in, so the line settles within a second or two.
        double lockingBandwidthHz = 2.0;
        int64_t lockingNs = 3'000'000'000;
        // Farther than this from the line, a report restarts it.
        int64_t relockNs = 25'000'000;
    };

    explicit SampleClock(const Tuning& tuning);

    // The block starting at `frame` is heard from `heardNs` (steady clock) on.
    void observe(uint64_t frame, int64_t heardNs);
    // False until the first report.
    bool running() const { return running_; }
    // The frame heard at steady time `ns`, on the line (fractional, may lie before or after any
    // reported block).
    double frameAt(int64_t ns) const;
    // The sound card's rate as measured against the steady clock.
    double measuredRate() const { return 1e9 / nsPerFrame_; }
    // How often the line restarted after a report far off it.
    int relocks() const { return relocks_; }

private:
    void restartAt(uint64_t frame, int64_t heardNs);

    Tuning tuning_;
    bool running_ = false;
    uint64_t frame0_ = 0;  // a frame on the line
    double time0_ = 0.0;   // when it is heard, in steady nanoseconds
    double nsPerFrame_;    // the line's slope
    int64_t lockStartNs_ = 0;
    int relocks_ = 0;
};

}  // namespace tinsori
