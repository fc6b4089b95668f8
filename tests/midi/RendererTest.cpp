#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "MidiTestSupport.h"
#include "midi/MidiOut.h"
#include "midi/backends/AudioFileRenderer.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/OutputFactory.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

namespace fs = std::filesystem;

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FluidSynthEngine::findSoundfont("", nullptr).empty()) GTEST_SKIP() << "no soundfont";
    }
    std::string path(const std::string& name) const { return folder_.file(name); }

    test::ManualClock clock;

private:
    testing_support::TempFolder folder_;
};

struct Audio {
    SF_INFO info{};
    std::vector<float> samples;
};

Audio readAudio(const std::string& path) {
    Audio audio;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &audio.info);
    if (!file) return audio;
    audio.samples.resize(static_cast<size_t>(audio.info.frames * audio.info.channels));
    sf_readf_float(file, audio.samples.data(), audio.info.frames);
    sf_close(file);
    return audio;
}

TEST_F(RendererTest, NoteSoundsAtTheFrameOfItsTick) {
    std::string error;
    auto renderer = AudioFileRenderer::create(clock, path("note.wav"),
                                              FluidSynthEngine::create("", nullptr), &error);
    ASSERT_TRUE(renderer) << error;
    clock.set(500);
    // Xylophone: a sharp attack. Its samples are loaded by the program change, on the tick of
    // the note itself.
    renderer->send(PackShortMessage(0xC0, 0, 13));
    renderer->send(PackShortMessage(0x90, 60, 110));
    clock.set(1500);
    renderer->send(PackShortMessage(0x80, 60, 110));
    ASSERT_TRUE(renderer->finish(1500, &error)) << error;

    const Audio audio = readAudio(path("note.wav"));
    EXPECT_EQ(audio.info.samplerate, 44100);
    EXPECT_EQ(audio.info.channels, 2);
    EXPECT_EQ(audio.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(audio.info.frames, (1500 + AudioFileRenderer::kTailMilliseconds) * 441 / 10);
    size_t first = 0;
    float peak = 0;
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        const float level = std::fabs(audio.samples[i]);
        if (level > 1e-4f && first == 0) first = i / 2;
        peak = std::max(peak, level);
    }
    EXPECT_GT(peak, 0.05f);
    EXPECT_GE(first, 22050u);
    EXPECT_LT(first, 22050u + 441u);  // within 10 ms
}

TEST_F(RendererTest, SinkFollowsTheFileEnding) {
    std::string error;
    for (const char* name : {"a.flac", "a.OGG", "a.aiff"}) {
        auto sink = OpenRenderSink(path(name), {}, clock, &error);
        ASSERT_TRUE(sink) << error;
        clock.set(100);
        sink->send(PackShortMessage(0x90, 72, 90));
        ASSERT_TRUE(sink->finish(200, &error)) << error;
        const Audio audio = readAudio(path(name));
        EXPECT_EQ(audio.info.samplerate, 44100) << name;
        EXPECT_GT(audio.info.frames, 44100 * 3) << name;
    }

    for (const char* name : {"a.mid", "b.MIDI"}) {
        auto smf = OpenRenderSink(path(name), {}, clock, &error);
        ASSERT_TRUE(smf) << error;
        smf->finish(0, &error);
        char magic[4] = {};
        std::ifstream(path(name)).read(magic, 4);
        EXPECT_EQ(std::string(magic, 4), "MThd") << name;
    }

    std::ofstream(path("a.log")) << "old contents\n";
    auto log = OpenRenderSink(path("a.log"), {}, clock, &error);
    ASSERT_TRUE(log) << error;
    log->send(PackShortMessage(0x90, 72, 90));
    log->finish(0, &error);
    std::string line;
    std::getline(std::ifstream(path("a.log")) >> std::ws, line);
    EXPECT_EQ(line, "100 90 72 90");  // the old contents are gone
}

TEST_F(RendererTest, UnwritableOrUnknownFilesFailAtOnce) {
    std::string error;
    EXPECT_FALSE(OpenRenderSink("/no/such/dir/out.wav", {}, clock, &error));
    EXPECT_NE(error.find("cannot write /no/such/dir/out.wav"), std::string::npos) << error;
    EXPECT_FALSE(OpenRenderSink(path("out.xyz"), {}, clock, &error));
    EXPECT_NE(error.find(".wav"), std::string::npos) << error;  // names the endings accepted
    EXPECT_FALSE(fs::exists(path("out.xyz")));
    OutputChoice badFont;
    badFont.soundfont = "/no/such/font.sf2";
    EXPECT_FALSE(OpenRenderSink(path("out.wav"), badFont, clock, &error));
    EXPECT_EQ(error, "cannot read the soundfont /no/such/font.sf2");
}

// Debian's link names the smallest set when that was installed first: the fuller one is
// preferred then, and the link followed otherwise.
TEST(FluidSynthEngineTest, FullerSoundfontGoesBeforeTheSmallestOne) {
    testing_support::TempFolder folder;
    const std::string base = folder.path().string();
    for (const char* name : {"TimGM6mb.sf2", "FluidR3_GM.sf2", "Other.sf2"})
        std::ofstream(folder.file(name)) << "";
    fs::create_symlink(base + "/TimGM6mb.sf2", base + "/default-GM.sf2");
    EXPECT_EQ(FluidSynthEngine::defaultSoundfonts(base).front(), base + "/FluidR3_GM.sf2");
    fs::remove(base + "/default-GM.sf2");
    fs::create_symlink(base + "/Other.sf2", base + "/default-GM.sf2");
    EXPECT_EQ(FluidSynthEngine::defaultSoundfonts(base).front(), base + "/default-GM.sf2");
}

// Normalizing passes over the audio again at the end; a stop there must leave no file.
TEST_F(RendererTest, StopDuringTheNormalizingPassesLeavesNoFile) {
    std::string error;
    auto sink = OpenRenderSink(path("n.wav"), {}, clock, &error, -16.0);
    ASSERT_TRUE(sink) << error;
    sink->send(PackShortMessage(0x90, 72, 90));
    std::string seen;
    sink->watchPasses([&seen](const std::string& pass, double) {
        seen = pass;
        return false;
    });
    EXPECT_FALSE(sink->finish(1000, &error));
    EXPECT_FALSE(seen.empty());
    EXPECT_FALSE(fs::exists(path("n.wav")));
}

}  // namespace
}  // namespace tinsori

namespace tinsori {
namespace {

// Needs no soundfont: the tubes are modelled. A free strike rings past the usual tail, and the
// file ends only once it has fallen quiet.
TEST(ChimesRender, StrikeSoundsAtItsFrameAndRingsOutBeforeTheFileEnds) {
    testing_support::TempFolder folder;
    test::ManualClock clock;
    OutputChoice chimes;
    chimes.output = kChimesOutput;
    std::string error;
    auto sink = OpenRenderSink(folder.file("c.flac"), chimes, clock, &error);
    ASSERT_TRUE(sink) << error;
    EXPECT_NE(sink->describe().find("modelled chimes"), std::string::npos);
    clock.set(500);
    sink->send(PackShortMessage(kNoteOn, 60, 100));
    sink->send(PackShortMessage(kNoteOff, 60, 100));
    ASSERT_TRUE(sink->finish(600, &error)) << error;

    const Audio audio = readAudio(folder.file("c.flac"));
    EXPECT_GT(audio.info.frames, (600 + AudioFileRenderer::kTailMilliseconds) * 441 / 10);
    const auto loud = [](float s) { return std::fabs(s) > 1e-3f; };
    const auto first = std::find_if(audio.samples.begin(), audio.samples.end(), loud);
    EXPECT_EQ((first - audio.samples.begin()) / 2 / 441, 50);  // in the 10 ms from 500 ms
    EXPECT_TRUE(std::none_of(audio.samples.end() - 200, audio.samples.end(), loud));
}

}  // namespace
}  // namespace tinsori
