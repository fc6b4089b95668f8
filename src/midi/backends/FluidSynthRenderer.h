#pragma once

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/RenderLevel.h"
#include "midi/ports/RenderSink.h"
#include "platform/StagedFile.h"
#include "platform/TickClock.h"

namespace tinsori {

// The embedded synthesizer rendering to an audio file instead of a sound card, faster than real
// time: a message sent at tick t of the clock sounds at frame t x rate / 1000 of the file.
// The container is chosen by the file's ending among those libsndfile writes; 16-bit PCM where
// the container has it, else its codec (Vorbis for Ogg, MP3); 44100 Hz stereo.
class FluidSynthRenderer : public RenderSink {
public:
    // Seconds rendered after the end tick so that the last strikes ring out.
    static constexpr uint32_t kTailMilliseconds = 3000;

    // True when the path ends in a supported audio ending (any case).
    static bool handlesPath(const std::string& path);
    // The supported endings, lower case, without the dot.
    static std::vector<std::string> audioEndings();

    // Loads the soundfont and creates the file (a temporary one, which replaces `path` when
    // `finish` succeeds); null with a reason when either fails. With `loudnessLufs`, the audio
    // is normalized to that integrated loudness when it is finished.
    static std::unique_ptr<FluidSynthRenderer> create(const TickClock& clock,
                                                      const std::string& path,
                                                      const std::string& soundfont,
                                                      std::string* error, double gainDb = 0.0,
                                                      std::optional<double> loudnessLufs = {});
    ~FluidSynthRenderer() override;

    void send(uint32_t message) override;
    std::string describe() const override;
    bool finish(uint32_t endTick, std::string* error) override;
    std::optional<AudioLevel> level() const override;
    bool failed() const override;
    void watchPasses(PassWatch watch) override;

    // Frames written to the file so far.
    uint64_t framesWritten() const;

private:
    FluidSynthRenderer(const TickClock& clock, std::unique_ptr<FluidSynthEngine> engine,
                       std::unique_ptr<StagedFile> staged);
    bool openFile(int format, std::string* error);
    static sf_count_t fileLength(void* self);
    static sf_count_t seek(sf_count_t offset, int whence, void* self);
    static sf_count_t read(void* data, sf_count_t count, void* self);
    static sf_count_t write(const void* data, sf_count_t count, void* self);
    static sf_count_t tell(void* self);
    std::string failureText() const;
    // Renders audio up to (not including) `frame`; false once a write has failed.
    bool renderTo(uint64_t frame);

    const TickClock& clock_;
    std::unique_ptr<FluidSynthEngine> engine_;
    std::unique_ptr<StagedFile> staged_;
    SNDFILE* file_ = nullptr;
    int writeError_ = 0;  // errno of the first write the disk refused
    mutable std::mutex mutex_;
    uint64_t frames_ = 0;
    bool failed_ = false;
    std::vector<float> buffer_;
    RenderLevel level_;
};

}  // namespace tinsori
