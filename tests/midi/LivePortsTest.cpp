#include <gtest/gtest.h>

#include <algorithm>

#include <alsa/asoundlib.h>
#include <unistd.h>

#include "midi/backends/AlsaSeqPort.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/FluidSynthPort.h"
#include "midi/backends/OutputFactory.h"
#include "midi/ports/RecordingPort.h"

namespace tinsori {
namespace {

bool haveSoundCard() {
    return ::access("/dev/snd", F_OK) == 0;
}

TEST(FluidSynthPortTest, WithoutAudioTheOpenFailsWithAReason) {
    if (haveSoundCard()) GTEST_SKIP() << "this machine has a sound card";
    std::string error;
    EXPECT_FALSE(FluidSynthPort::open("", "", &error));
    // Only drivers this FluidSynth was built with are tried (Debian's has no pipewire).
    const auto built = FluidSynthEngine::audioDrivers();
    for (const char* name : {"pipewire", "pulseaudio", "alsa", "jack"}) {
        const bool has = std::find(built.begin(), built.end(), name) != built.end();
        EXPECT_EQ(error.find(name) != std::string::npos, has) << name << ": " << error;
    }
    EXPECT_FALSE(FluidSynthPort::open("", "alsa", &error));
    EXPECT_EQ(error, "no audio output could be started (tried alsa)");
}

TEST(FluidSynthPortTest, SoundfontProblemsAreReportedBeforeAudio) {
    std::string error;
    EXPECT_FALSE(FluidSynthPort::open("/no/such/font.sf2", "", &error));
    EXPECT_EQ(error, "cannot read the soundfont /no/such/font.sf2");
    // A readable file that is no soundfont.
    EXPECT_FALSE(FluidSynthEngine::create("/etc/hostname", &error));
    EXPECT_EQ(error, "/etc/hostname is not a soundfont (give a .sf2 or .sf3 file)");
}

TEST(AlsaSeqPortTest, WithoutSequencerOpenAndListFailCleanly) {
    if (::access("/dev/snd/seq", F_OK) == 0) GTEST_SKIP() << "this machine has a sequencer";
    std::string error;
    EXPECT_FALSE(AlsaSeqPort::open("128:0", &error));
    EXPECT_EQ(error, "no ALSA sequencer (/dev/snd/seq is missing)");
    EXPECT_TRUE(AlsaSeqPort::listPorts().empty());
}

// The synthesizer's input is a port of the test's own client, deleted mid-play.
TEST(AlsaSeqPortTest, APortThatGoesAwayIsNoticed) {
    if (::access("/dev/snd/seq", F_OK) != 0)
        GTEST_SKIP() << "no ALSA sequencer here (/dev/snd/seq is missing)";
    snd_seq_t* synth = nullptr;
    ASSERT_EQ(snd_seq_open(&synth, "default", SND_SEQ_OPEN_INPUT, 0), 0);
    snd_seq_set_client_name(synth, "Test Synth");
    const int port = snd_seq_create_simple_port(
        synth, "In", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    ASSERT_GE(port, 0);
    std::string error;
    auto out = AlsaSeqPort::open(
        std::to_string(snd_seq_client_id(synth)) + ":" + std::to_string(port), &error);
    ASSERT_TRUE(out) << error;
    out->send(0x403C90);
    EXPECT_EQ(out->whyStopped(), "");
    snd_seq_delete_simple_port(synth, port);
    EXPECT_NE(out->whyStopped(), "");
    out->send(0x403C80);
    snd_seq_close(synth);
}

TEST(AlsaSeqPortTest, MatchesWholeNamesOrAddressesNeverFragments) {
    const std::vector<std::string> ports = {
        "Midi Through:Midi Through Port-0 14:0",
        "FLUID Synth (128):Synth input port (128:0)",
    };
    EXPECT_EQ(AlsaSeqPort::matchPort(ports, "Midi Through:Midi Through Port-0 14:0"), 0);
    EXPECT_EQ(AlsaSeqPort::matchPort(ports, "Midi Through:Midi Through Port-0"), 0);
    EXPECT_EQ(AlsaSeqPort::matchPort(ports, "14:0"), 0);
    EXPECT_EQ(AlsaSeqPort::matchPort(ports, "128:0"), 1);
    for (const char* fragment : {"Midi", "0", "4:0", "28:0", "FLUID", "n", ""})
        EXPECT_EQ(AlsaSeqPort::matchPort(ports, fragment), -1) << fragment;
}

OutputChoice choose(const std::string& output, MidiPort* lent = nullptr) {
    OutputChoice choice;
    choice.output = output;
    choice.lent = lent;
    return choice;
}

TEST(OutputFactoryTest, OpensTheNamedOutput) {
    std::string error;
    auto none = OpenOutput(choose("None"), &error);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->describe(), "No output");

    RecordingPort recorder;
    auto lent = OpenOutput(choose("fluidsynth", &recorder), &error);
    ASSERT_TRUE(lent);
    lent->send(0x00403C90);
    lent.reset();
    EXPECT_EQ(recorder.size(), 1u);

    if (::access("/dev/snd/seq", F_OK) != 0) {
        EXPECT_FALSE(OpenOutput(choose("Piano"), &error));
        EXPECT_EQ(error,
                  "cannot open the output \"Piano\": no ALSA sequencer (/dev/snd/seq is missing)");
    }
    // Opens on a sound server, or says why not.
    auto chimes = OpenOutput(choose("chimes"), &error);
    if (chimes)
        EXPECT_EQ(chimes->describe(), "Modelled chimes");
    else
        EXPECT_EQ(error.rfind("cannot play the modelled chimes: ", 0), 0u) << error;

    const auto names = ListOutputs();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0].name, "fluidsynth");
    EXPECT_EQ(names[1].name, "chimes");
    EXPECT_EQ(names.back().name, "none");
}

}  // namespace
}  // namespace tinsori
