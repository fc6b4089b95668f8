#pragma once

#include <ebur128.h>

#include <cstddef>

namespace tinsori {

// Measures interleaved float audio as broadcast loudness meters do (ITU-R BS.1770, EBU R128):
// the integrated loudness in LUFS, and the sample and true (inter-sample) peaks in decibels
// against full scale. Silence measures -infinity.
class LoudnessMeter {
public:
    // Which peaks it measures besides the loudness: the true peak needs oversampling, the
    // sample peak a pass over every sample; without them the peaks read -infinity.
    enum class Peaks { None, Sample, True };
    LoudnessMeter(int channels, int sampleRate, Peaks peaks = Peaks::True);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    void add(const float* frames, size_t count);

    double integratedLufs() const;
    double samplePeakDb() const;
    double truePeakDb() const;

private:
    ebur128_state* state_;
    int channels_;
};

}  // namespace tinsori
