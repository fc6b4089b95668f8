#include "midi/backends/AudioFileRenderer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/AsciiCase.h"
#include "platform/Texts.h"

namespace tinsori {

namespace {

// Rendering always stops at an event's exact frame, and the synthesizers keep their own steps
// across calls (FluidSynth's 64 frames), so the block size changes no sample; large blocks save
// calls.
constexpr int kBlockFrames = 4096;
constexpr int kChannels = 2;

std::string lowerEnding(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return {};
    std::string ending = path.substr(dot + 1);
    std::ranges::transform(ending, ending.begin(), AsciiLower);
    return ending;
}

struct AudioFormat {
    std::string ending;
    int format;
};

// The first encoding libsndfile accepts for this container at our rate and channel count:
// 16-bit PCM where the container has it, else its lossy codec, else floats.
int EncodingFor(int major) {
    for (int subtype : {SF_FORMAT_PCM_16, SF_FORMAT_VORBIS, SF_FORMAT_MPEG_LAYER_III,
                        SF_FORMAT_FLOAT, SF_FORMAT_PCM_U8}) {
        SF_INFO info{};
        info.samplerate = AudioSynth::kSampleRate;
        info.channels = kChannels;
        info.format = major | subtype;
        if (sf_format_check(&info)) return info.format;
    }
    return 0;
}

void Add(std::vector<AudioFormat>& formats, const std::string& ending, int format) {
    const auto same = [&ending](const AudioFormat& known) { return known.ending == ending; };
    if (format != 0 && std::none_of(formats.begin(), formats.end(), same))
        formats.push_back({ending, format});
}

// Every container this libsndfile writes, by the ending it names, plus the usual endings it
// does not name: .ogg for Ogg Vorbis (libsndfile says .oga), .aif for AIFF, .mp3 for MPEG.
const std::vector<AudioFormat>& AudioFormats() {
    static const std::vector<AudioFormat> formats = [] {
        std::vector<AudioFormat> list;
        int count = 0;
        sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
        for (int i = 0; i < count; ++i) {
            SF_FORMAT_INFO info{};
            info.format = i;
            // Sound Designer II keeps its header in a resource fork, which libsndfile writes to
            // a second "._" file beside the output on a system without forks.
            if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) != 0 ||
                !info.extension || info.format == SF_FORMAT_SD2)
                continue;
            const int format = EncodingFor(info.format & SF_FORMAT_TYPEMASK);
            if (info.format == SF_FORMAT_OGG) Add(list, "ogg", format);
            if (info.format == SF_FORMAT_AIFF) Add(list, "aif", format);
            if (info.format == SF_FORMAT_MPEG) Add(list, "mp3", format);
            Add(list, info.extension, format);
        }
        return list;
    }();
    return formats;
}

int formatFor(const std::string& path) {
    const std::string ending = lowerEnding(path);
    const auto& formats = AudioFormats();
    const auto found = std::find_if(formats.begin(), formats.end(),
                                    [&ending](const AudioFormat& f) { return f.ending == ending; });
    return found == formats.end() ? 0 : found->format;
}

uint64_t frameOf(uint32_t tick) {
    return static_cast<uint64_t>(tick) * AudioSynth::kSampleRate / 1000;
}

}  // namespace

bool AudioFileRenderer::handlesPath(const std::string& path) {
    return formatFor(path) != 0;
}

std::vector<std::string> AudioFileRenderer::audioEndings() {
    std::vector<std::string> endings;
    for (const AudioFormat& format : AudioFormats()) endings.push_back(format.ending);
    return endings;
}

std::unique_ptr<AudioFileRenderer> AudioFileRenderer::create(const TickClock& clock,
                                                             const std::string& path,
                                                             std::unique_ptr<AudioSynth> synth,
                                                             std::string* error,
                                                             std::optional<double> loudnessLufs) {
    const int format = formatFor(path);
    if (!format) {
        if (error) *error = "cannot render audio to " + path + ": not an ending libsndfile writes";
        return nullptr;
    }
    auto staged = StagedFile::Create(path, error);
    if (!staged) return nullptr;
    std::unique_ptr<AudioFileRenderer> renderer(
        new AudioFileRenderer(clock, std::move(synth), std::move(staged)));
    if (!renderer->openFile(format, error)) return nullptr;
    if (loudnessLufs) {
        // Beside the render, where the user has made room for audio, and nameless, so that a
        // killed render leaves nothing behind.
        FilePointer spool = OpenAnonymousFile(std::filesystem::path(path).parent_path());
        if (!spool) {
            if (error)
                *error =
                    "cannot make a temporary file beside " + path + ": " + std::strerror(errno);
            return nullptr;
        }
        renderer->level_.normalizeTo(*loudnessLufs, std::move(spool));
    }
    return renderer;
}

AudioFileRenderer::AudioFileRenderer(const TickClock& clock, std::unique_ptr<AudioSynth> synth,
                                     std::unique_ptr<StagedFile> staged)
    : clock_(clock),
      synth_(std::move(synth)),
      staged_(std::move(staged)),
      buffer_(kBlockFrames * kChannels),
      level_(kChannels, AudioSynth::kSampleRate, [this](const float* frames, size_t count) {
          const auto wanted = static_cast<sf_count_t>(count);
          return sf_writef_float(file_, frames, wanted) == wanted && writeError_ == 0;
      }) {}

AudioFileRenderer::~AudioFileRenderer() {
    if (file_) sf_close(file_);
}

// libsndfile writes through these rather than on its own descriptor, so that every write the
// disk refuses is seen: its MP3 encoder, for one, drops the errors of its own writes.
sf_count_t AudioFileRenderer::fileLength(void* self) {
    struct stat info {};
    const int fd = static_cast<AudioFileRenderer*>(self)->staged_->fd();
    return ::fstat(fd, &info) == 0 ? info.st_size : -1;
}

sf_count_t AudioFileRenderer::seek(sf_count_t offset, int whence, void* self) {
    return ::lseek(static_cast<AudioFileRenderer*>(self)->staged_->fd(), offset, whence);
}

sf_count_t AudioFileRenderer::read(void* data, sf_count_t count, void* self) {
    const ssize_t got = ::read(static_cast<AudioFileRenderer*>(self)->staged_->fd(), data,
                               static_cast<size_t>(count));
    return got < 0 ? 0 : got;
}

sf_count_t AudioFileRenderer::write(const void* data, sf_count_t count, void* self) {
    auto* renderer = static_cast<AudioFileRenderer*>(self);
    if (renderer->writeError_ == 0 && renderer->staged_->WriteAll(data, static_cast<size_t>(count)))
        return count;
    if (renderer->writeError_ == 0) renderer->writeError_ = errno;
    return 0;
}

sf_count_t AudioFileRenderer::tell(void* self) {
    return ::lseek(static_cast<AudioFileRenderer*>(self)->staged_->fd(), 0, SEEK_CUR);
}

bool AudioFileRenderer::openFile(int format, std::string* error) {
    static SF_VIRTUAL_IO io = {&fileLength, &seek, &read, &write, &tell};
    SF_INFO info{};
    info.samplerate = AudioSynth::kSampleRate;
    info.channels = kChannels;
    info.format = format;
    file_ = sf_open_virtual(&io, SFM_WRITE, &info, this);
    if (!file_ && error) *error = "cannot write " + staged_->target() + ": " + sf_strerror(nullptr);
    return file_ != nullptr;
}

bool AudioFileRenderer::renderTo(uint64_t frame) {
    while (!failed_ && frames_ < frame) {
        const int count = static_cast<int>(std::min<uint64_t>(kBlockFrames, frame - frames_));
        synth_->render(buffer_.data(), buffer_.data() + 1, count, kChannels);
        if (!level_.add(buffer_.data(), count)) failed_ = true;
        frames_ += count;
    }
    return !failed_;
}

bool AudioFileRenderer::renderTail(uint64_t endFrame) {
    if (!renderTo(endFrame + frameOf(kTailMilliseconds))) return false;
    // A second at a time, so that the file's length does not depend on the block size.
    const uint64_t longest = endFrame + frameOf(kLongestTailMilliseconds);
    while (synth_->ringing() && frames_ < longest)
        if (!renderTo(std::min(longest, frames_ + AudioSynth::kSampleRate))) return false;
    return true;
}

void AudioFileRenderer::send(uint32_t message) {
    const uint32_t tick = clock_.now();
    std::lock_guard lock(mutex_);
    if (!file_) return;
    renderTo(frameOf(tick));
    synth_->apply(message);
}

// One reason: when the spool and the file share a full disk, both fail for the same one.
std::string AudioFileRenderer::failureText() const {
    if (level_.stopped()) return "stopped";
    const std::string target = staged_->target();
    if (!level_.spoolError().empty()) return "rendering " + target + ": " + level_.spoolError();
    std::string text = "writing " + target + " failed";
    if (writeError_ != 0) text += std::string(": ") + std::strerror(writeError_);
    return text;
}

bool AudioFileRenderer::finish(uint32_t endTick, std::string* error) {
    std::lock_guard lock(mutex_);
    if (!file_) return true;
    const bool rendered = renderTail(frameOf(endTick)) && level_.finish();
    const bool closed = sf_close(file_) == 0;
    file_ = nullptr;
    if (!rendered || !closed || writeError_ != 0) {
        if (error) *error = failureText();
        return false;
    }
    return staged_->Commit(error);
}

void AudioFileRenderer::watchPasses(PassWatch watch) {
    std::lock_guard lock(mutex_);
    level_.watchPasses(std::move(watch));
}

bool AudioFileRenderer::failed() const {
    std::lock_guard lock(mutex_);
    return failed_;
}

std::optional<AudioLevel> AudioFileRenderer::level() const {
    std::lock_guard lock(mutex_);
    return level_.level();
}

std::string AudioFileRenderer::describe() const {
    return TextCatalogue::Words(kTextRenderTo, {staged_->target(), synth_->describe()});
}

}  // namespace tinsori
