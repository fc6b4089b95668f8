#include "midi/backends/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace tinsori {

namespace {

using PeakReader = int (*)(ebur128_state*, unsigned int, double*);

double LoudestChannelDb(ebur128_state* state, int channels, PeakReader read) {
    double loudest = 0.0;
    for (int channel = 0; channel < channels; ++channel) {
        double peak = 0.0;
        if (read(state, static_cast<unsigned>(channel), &peak) == EBUR128_SUCCESS)
            loudest = std::max(loudest, peak);
    }
    return loudest > 0.0 ? 20.0 * std::log10(loudest) : -HUGE_VAL;
}

int Mode(LoudnessMeter::Peaks peaks) {
    switch (peaks) {
        case LoudnessMeter::Peaks::True:
            return EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK;
        case LoudnessMeter::Peaks::Sample:
            return EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK;
        default:
            return EBUR128_MODE_I;
    }
}

}  // namespace

LoudnessMeter::LoudnessMeter(int channels, int sampleRate, Peaks peaks)
    : state_(ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(sampleRate),
                          Mode(peaks))),
      channels_(channels) {
    if (!state_) throw std::bad_alloc();
}

LoudnessMeter::~LoudnessMeter() {
    ebur128_destroy(&state_);
}

void LoudnessMeter::add(const float* frames, size_t count) {
    ebur128_add_frames_float(state_, frames, count);
}

double LoudnessMeter::integratedLufs() const {
    double loudness = -HUGE_VAL;
    ebur128_loudness_global(state_, &loudness);
    return loudness;
}

double LoudnessMeter::samplePeakDb() const {
    return LoudestChannelDb(state_, channels_, ebur128_sample_peak);
}

double LoudnessMeter::truePeakDb() const {
    return LoudestChannelDb(state_, channels_, ebur128_true_peak);
}

}  // namespace tinsori
