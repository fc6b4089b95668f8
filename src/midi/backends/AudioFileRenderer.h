#pragma once

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/audio/AudioSynth.h"
#include "midi/backends/RenderLevel.h"
#include "midi/ports/RenderSink.h"
#include "platform/StagedFile.h"
#include "platform/TickClock.h"

namespace tinsori {

// A synthesizer (the embedded General MIDI one or the modelled chimes) rendering to an audio file
// instead of a sound card, faster than real time: a message sent at tick t of the clock sounds at
// frame t x rate / 1000 of the file.
// The container is chosen by the file's ending among those libsndfile writes; 16-bit PCM where
// the container has it, else its codec (Vorbis for Ogg, MP3); 44100 Hz stereo.
class AudioFileRenderer : public RenderSink {
public:
    // Rendered after the end tick so that the last strikes ring out; longer, up to the most,
    // while the synthesizer says something still rings.
    static constexpr uint32_t kTailMilliseconds = 3000;
    static constexpr uint32_t kLongestTailMilliseconds = 30000;

    // True when the path ends in a supported audio ending (any case).
    static bool handlesPath(const std::string& path);
    // The supported endings, lower case, without the dot.
    static std::vector<std::string> audioEndings();

    // Creates the file (a temporary one, which replaces `path` when `finish` succeeds) for
    // `synth` to play into; null with a reason when it cannot. With `loudnessLufs`, the audio is
    // normalized to that integrated loudness when it is finished.
    static std::unique_ptr<AudioFileRenderer> create(const TickClock& clock,
                                                     const std::string& path,
                                                     std::unique_ptr<AudioSynth> synth,
                                                     std::string* error,
                                                     std::optional<double> loudnessLufs = {});
    ~AudioFileRenderer() override;

    void send(uint32_t message) override;
    std::string describe() const override;
    bool finish(uint32_t endTick, std::string* error) override;
    std::optional<AudioLevel> level() const override;
    bool failed() const override;
    void watchPasses(PassWatch watch) override;

private:
    AudioFileRenderer(const TickClock& clock, std::unique_ptr<AudioSynth> synth,
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
    // Renders the tail after `endFrame`.
    bool renderTail(uint64_t endFrame);

    const TickClock& clock_;
    std::unique_ptr<AudioSynth> synth_;
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
