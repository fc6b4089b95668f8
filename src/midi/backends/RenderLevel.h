#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include "midi/audio/AudioLevel.h"
#include "midi/audio/TruePeakDetector.h"
#include "midi/audio/TruePeakLimiter.h"
#include "midi/backends/LoudnessMeter.h"
#include "platform/AnonymousFile.h"

namespace tinsori {

// A render's audio on its way from the synthesizer to the file: a constant gain, the true-peak
// limiter, the loudness meter, and the clipping to full scale that integer samples need. The
// limiter's look-ahead delay is taken back out, so every sound keeps its frame and the file its
// length.
//
// Normalized to a loudness, the audio first goes into a spool file as it comes and is measured;
// finish() then sends it through once more at the one gain that gives it that loudness. Memory
// stays the same however long the render.
class RenderLevel {
public:
    // Receives the finished frames; false when they could not be written.
    using Writer = std::function<bool(const float* frames, size_t count)>;

    RenderLevel(int channels, int sampleRate, Writer write);

    // Normalizes to `lufs` integrated, spooling in `spool` (an empty file, read and write).
    void normalizeTo(double lufs, FilePointer spool);

    // Called between the blocks of each pass over the spool; false stops the pass.
    using PassWatch = std::function<bool(const std::string& pass, double fraction)>;
    void watchPasses(PassWatch watch) { watch_ = std::move(watch); }
    // True when finish failed because the watch said stop.
    bool stopped() const { return stopped_; }

    // Takes `count` frames (changed in place); false once writing has failed.
    bool add(float* frames, size_t count);
    // Writes what is still held back.
    bool finish();
    // Why add or finish failed when it was the spool, else empty.
    const std::string& spoolError() const { return spoolError_; }

    AudioLevel level() const;

private:
    bool limit(float* frames, size_t count);
    bool pass(float* frames, size_t count);
    bool readSpool(const std::string& pass, const std::function<bool(float*, size_t)>& use);
    std::optional<double> limitedLoudness(double gainDb);
    std::optional<double> normalizingGainDb();
    bool replaySpool();

    int channels_;
    int sampleRate_;
    Writer write_;
    float gain_ = 1.0f;
    TruePeakLimiter limiter_;
    LoudnessMeter meter_;  // the loudness alone; both peaks are the detector's, far cheaper
    TruePeakDetector truePeak_;
    size_t delayed_;  // frames still to drop from the front: the limiter's silent start

    std::optional<double> targetLufs_;
    FilePointer spool_;
    std::unique_ptr<LoudnessMeter> spoolMeter_;
    std::optional<double> appliedGainDb_;
    std::string spoolError_;
    size_t spooledFrames_ = 0;
    PassWatch watch_;
    bool stopped_ = false;
};

}  // namespace tinsori
