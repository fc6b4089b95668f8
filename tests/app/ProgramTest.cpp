// The built program end to end: renders, user errors, the profile's safety, the headless player.

#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "store/ProfileStore.h"
#include "support/PrivateMount.h"
#include "support/ReadFile.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The notes of the note-ons in a message log, in the order sent.
std::vector<int> NoteOns(const std::string& log) {
    std::vector<int> notes;
    for (const auto& line : Lines(log)) {
        std::istringstream fields(line);
        uint32_t tick;
        std::string status;
        int note;
        if (fields >> tick >> status >> note && status == "90") notes.push_back(note);
    }
    return notes;
}

// The default chime set upward at start and downward at the end of a closed window.
const std::vector<int> kOpeningRun{52, 54, 57, 59, 61, 64, 66};
const std::vector<int> kClosingRun{66, 64, 61, 59, 57, 54, 52};

bool StartsWith(const std::vector<int>& notes, const std::vector<int>& run) {
    return notes.size() >= run.size() && std::equal(run.begin(), run.end(), notes.begin());
}

bool EndsWith(const std::vector<int>& notes, const std::vector<int>& run) {
    return notes.size() >= run.size() &&
           std::equal(run.begin(), run.end(), notes.end() - run.size());
}

// The simulation thread's priority is told once a run, on stderr.
size_t PriorityLines(const std::string& err) {
    size_t count = 0;
    for (const auto& line : Lines(err)) count += line.find("simulation thread at ") != line.npos;
    return count;
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override { profile_ = (folder_ / "profile.db").string(); }

    // Runs the program with the test's profile; sends `signal` after `interruptAfterMs`.
    Outcome Run(std::vector<std::string> args, int interruptAfterMs = -1, int signal = SIGINT) {
        const std::string out = stdout_.empty() ? (folder_ / "stdout").string() : stdout_;
        const std::string err = (folder_ / "stderr").string();
        // Emptied now: the wait below must not read the previous run's messages.
        std::ofstream(err, std::ios::trunc).close();
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(folder_.path().c_str()) != 0) _exit(126);
            if (stdoutFd_ >= 0 ? dup2(stdoutFd_, 1) < 0 : !freopen(out.c_str(), "w", stdout))
                _exit(126);
            if (!freopen(err.c_str(), "w", stderr)) _exit(126);
            setenv("TINSORI_PROFILE", profile_.c_str(), 1);
            if (fileSizeLimit_ > 0) {
                // A full disk: writes past the limit fail instead of killing the program.
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{fileSizeLimit_, fileSizeLimit_};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            std::vector<char*> argv{const_cast<char*>(TINSORI_BINARY)};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(TINSORI_BINARY, argv.data());
            _exit(127);
        }
        if (interruptAfterMs >= 0) {
            // Interrupt only once the opening run is out (the signal handlers are in place by
            // then), however slowly a loaded machine starts the program.
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (!OpeningRunLogged() && ReadFile(err).find("no sound") == std::string::npos &&
                   ReadFile(err).find("message log") == std::string::npos &&
                   std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::this_thread::sleep_for(std::chrono::milliseconds(interruptAfterMs));
            if (beforeSignal_) beforeSignal_();
            for (int i = 0; i < signalCount_; ++i) {
                if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(300));
                kill(pid, signal);
            }
        }
        int status = 0;
        waitpid(pid, &status, 0);
        // A device given as standard output (/dev/full) is not read back: it never ends.
        const bool ownStdout = stdout_.empty() && stdoutFd_ < 0;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                ownStdout ? ReadFile(out) : std::string(), ReadFile(err)};
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    // The opening chime run in the test's MIDI log ("live.log" or "hup.log").
    bool OpeningRunLogged() const {
        for (const char* name : {"live.log", "hup.log"}) {
            if (StartsWith(NoteOns(ReadFile(Path(name))), kOpeningRun)) return true;
        }
        return false;
    }

    testing_support::TempFolder folder_;
    std::string profile_;
    std::string stdout_;        // where the program's output goes; empty: a file in the folder
    int stdoutFd_ = -1;         // else this descriptor, when set
    rlim_t fileSizeLimit_ = 0;  // the largest file the program may write; 0: no limit
    std::function<void()> beforeSignal_;  // runs just before the interrupting signal is sent
    int signalCount_ = 1;                 // how often that signal is sent, 0.3 s apart
};

TEST_F(ProgramTest, SameSeedRendersByteIdenticalMidiFilesAndLogs) {
    for (const char* ending : {".mid", ".log"}) {
        const std::string a = Path(std::string("a") + ending);
        const std::string b = Path(std::string("b") + ending);
        ASSERT_EQ(Run({"--render", a, "--duration", "30", "--seed", "7"}).status, 0);
        ASSERT_EQ(Run({"--render", b, "--duration", "30", "--seed", "7"}).status, 0);
        const std::string first = ReadFile(a);
        EXPECT_GT(first.size(), 100u) << ending;
        EXPECT_EQ(first, ReadFile(b)) << ending;
        ASSERT_EQ(Run({"--render", b, "--duration", "30", "--seed", "8"}).status, 0);
        EXPECT_NE(first, ReadFile(b)) << ending;
    }
    EXPECT_EQ(ReadFile(Path("a.mid")).substr(0, 4), "MThd");
}

TEST_F(ProgramTest, RenderedLogHoldsTheWholeRunInTimeOrder) {
    const Outcome outcome = Run({"--render", Path("r.txt"), "--duration", "20", "--seed", "3",
                                 "--midi-log", Path("tap.log")});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto lines = Lines(ReadFile(Path("r.txt")));
    ASSERT_GT(lines.size(), 130u);
    EXPECT_EQ(lines.front(), "0 C0 14 0");
    // Times never go back, and the closing sweep ends the file after the duration.
    uint32_t previous = 0;
    for (const auto& line : lines) {
        const uint32_t tick = std::stoul(line);
        EXPECT_GE(tick, previous) << line;
        previous = tick;
    }
    EXPECT_GT(previous, 20000u);
    EXPECT_EQ(lines.back().substr(lines.back().find(' ')), " 80 124 120");
    // The --midi-log tap saw exactly what the render wrote.
    EXPECT_EQ(ReadFile(Path("tap.log")), ReadFile(Path("r.txt")));
}

TEST_F(ProgramTest, RenderNeverWritesOrCreatesTheProfile) {
    ASSERT_EQ(Run({"--render", Path("x.mid"), "--duration", "5", "--seed", "1"}).status, 0);
    EXPECT_FALSE(fs::exists(profile_));

    {
        auto store = ProfileStore::Open(profile_);
        ASSERT_TRUE(store);
        store->WriteInt("Settings", "Wind Speed", 900);
        store->WriteInt("Current", "NumOpenApps", 3);
    }
    const std::string before = ReadFile(profile_);
    struct stat statBefore {};
    stat(profile_.c_str(), &statBefore);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(Run({"--render", Path("y.log"), "--duration", "5", "--seed", "1"}).status, 0);
    struct stat statAfter {};
    stat(profile_.c_str(), &statAfter);
    EXPECT_EQ(ReadFile(profile_), before);
    EXPECT_EQ(statAfter.st_mtim.tv_sec, statBefore.st_mtim.tv_sec);
    EXPECT_EQ(statAfter.st_mtim.tv_nsec, statBefore.st_mtim.tv_nsec);
    // Another copy's claim in "Current" did not move the render off channel 0.
    EXPECT_EQ(Lines(ReadFile(Path("y.log"))).front(), "0 C0 14 0");
}

TEST_F(ProgramTest, RenderWithoutSeedPrintsTheSeedItUsed) {
    const Outcome outcome = Run({"--render", Path("s.log"), "--duration", "2"});
    ASSERT_EQ(outcome.status, 0);
    const size_t at = outcome.err.find("--seed ");
    ASSERT_NE(at, std::string::npos) << outcome.err;
    const std::string seed = outcome.err.substr(at + 7, outcome.err.find(')', at) - at - 7);
    ASSERT_EQ(Run({"--render", Path("t.log"), "--duration", "2", "--seed", seed}).status, 0);
    EXPECT_EQ(ReadFile(Path("s.log")), ReadFile(Path("t.log")));
}

TEST_F(ProgramTest, UserMistakesExitWithStatusTwoAndOneLine) {
    std::ofstream(Path("text.sf2")) << "a readable text file";
    {
        std::ifstream whole("/usr/share/sounds/sf2/TimGM6mb.sf2", std::ios::binary);
        std::string head(65536, '\0');
        whole.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(Path("cut.sf2"), std::ios::binary) << head;
    }
    const std::vector<std::vector<std::string>> mistakes = {
        {"--bogus"},
        {"--render", Path("x.mid")},
        {"--render", Path("x.mid"), "--duration", "abc"},
        {"--render", Path("no/such/folder/x.mid"), "--duration", "1"},
        {"--render", Path("x.wav"), "--duration", "1", "--soundfont", Path("missing.sf2")},
        {"--no-gui", "--output", "NoSuchPort"},
        {"--no-gui", "--soundfont", Path("text.sf2")},
        {"--render", Path("x.wav"), "--duration", "1", "--seed", "1", "--soundfont",
         Path("cut.sf2")},
        {"--no-gui", "--output", "flu"},
        {"--no-gui", "--audio-driver", "foo"},
        {"--render", Path("x.xyz"), "--duration", "1"},
        {"--render", Path("x.sd2"), "--duration", "1"},  // its header goes to a second file
        {"--no-gui", "--favorite", "No Such Favorite"},
        {"-o", "none"},
        {"--profile"},
    };
    for (const auto& args : mistakes) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.status, 2) << args[0] << " " << outcome.err;
        EXPECT_EQ(Lines(outcome.err).size(), 1u) << outcome.err;
        EXPECT_TRUE(outcome.out.empty());
    }
    EXPECT_FALSE(fs::exists(profile_));
    EXPECT_FALSE(fs::exists(Path("x.mid")));
    EXPECT_FALSE(fs::exists(Path("x.xyz")));
}

// An empty value would quietly mean the default (the user's own profile), and the "file" driver
// fills fluidsynth.wav while the user waits for sound: each is a mistake that changes nothing.
TEST_F(ProgramTest, EmptyValuesAndTheFileDriverAreRefused) {
    std::ofstream(Path("in.reg")) << "Windows Registry Editor Version 5.00\n";
    const std::vector<std::vector<std::string>> mistakes = {
        {"--profile", "", "--import-profile", Path("in.reg")},
        {"--no-gui", "--sleep", "0.01", "--soundfont", ""},
        {"--no-gui", "--sleep", "0.01", "--midi-log="},
        {"--no-gui", "--sleep", "0.01", "--audio-driver", "file"},
    };
    for (const auto& args : mistakes) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.status, 2) << args[0] << " " << outcome.err;
        EXPECT_EQ(Lines(outcome.err).size(), 1u) << outcome.err;
    }
    EXPECT_NE(Run(mistakes.back()).err.find("--render"), std::string::npos);
    EXPECT_FALSE(fs::exists(profile_));
}

// Nothing the run writes may be the profile: each is refused before anything is opened.
TEST_F(ProgramTest, OutputsThatAreTheProfileAreRefused) {
    ProfileStore::Open(profile_)->WriteInt("Settings", "Wind Speed", 300);
    const std::string before = ReadFile(profile_);
    fs::create_symlink(profile_, Path("link.wav"));
    const std::vector<std::vector<std::string>> clashes = {
        {"--export-profile", profile_},
        {"--render", Path("link.wav"), "--duration", "1"},
        {"--no-gui", "--output", "none", "--midi-log", Path("./profile.db")},
        {"--render", Path("s.log"), "--duration", "1", "--midi-log", Path("s.log")},
        {"--profile", Path("new.mid"), "--render", Path("new.mid"), "--duration", "1"},
        {"--render", Path("x.log"), "--duration", "1", "--midi-log", profile_ + "-wal"},
        // Not there yet, and named relative to the working folder.
        {"--profile", Path("new.db"), "--export-profile", "new.db"},
        {"--profile", Path("n.wav"), "--render", "n.wav", "--duration", "1"},
        {"--profile", Path("x.db"), "--export-profile", "sub/../x.db"},
    };
    for (const auto& args : clashes) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.status, 2) << args[1] << ": " << outcome.err;
        EXPECT_EQ(Lines(outcome.err).size(), 1u) << outcome.err;
    }
    EXPECT_EQ(ReadFile(profile_), before);
    for (const char* name : {"s.log", "new.mid", "x.log", "profile.db-wal", "new.db", "n.wav"})
        EXPECT_FALSE(fs::exists(Path(name))) << name;
}

// A render that cannot finish leaves no file (an existing one as it was) and says so in one line.
TEST_F(ProgramTest, RendersThatFailOrAreStoppedLeaveNothingBehind) {
    std::ofstream(Path("kept.wav")) << "an earlier render";
    fileSizeLimit_ = 1000;
    for (const char* name : {"a.mp3", "kept.wav", "a.mid", "a.log"}) {
        const Outcome full = Run({"--render", Path(name), "--duration", "120", "--seed", "1"});
        EXPECT_EQ(full.status, 1) << name << ": " << full.err;
        EXPECT_NE(full.err.find("; nothing written\n"), std::string::npos) << full.err;
        EXPECT_EQ(Lines(full.err).size(), 1u) << full.err;
    }
    // The spool and the file fail for one reason, said once.
    const Outcome spooled =
        Run({"--render", Path("a.ogg"), "--duration", "60", "--loudness", "-16"});
    EXPECT_EQ(Count(spooled.err, "File too large"), 1u) << spooled.err;
    fileSizeLimit_ = 0;
    const Outcome stopped = Run({"--render", Path("b.wav"), "--duration", "3600", "--seed", "1",
                                 "--midi-log", Path("live.log")},
                                100, SIGTERM);
    EXPECT_EQ(stopped.status, 128 + SIGTERM) << stopped.err;
    EXPECT_NE(stopped.err.find("tinsori: render stopped after "), std::string::npos);
    fs::remove(Path("live.log"));
    // Killed, it has no chance to clean up: there must be nothing to clean.
    Run({"--render", Path("c.wav"), "--duration", "3600", "--midi-log", Path("live.log")}, 300,
        SIGKILL);
    fs::remove(Path("live.log"));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder_.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"kept.wav", "stderr", "stdout"}));
    EXPECT_EQ(ReadFile(Path("kept.wav")), "an earlier render");
}

TEST_F(ProgramTest, InformationRunsPrintAndReportWriteErrors) {
    const Outcome help = Run({"--help", "--version"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Profile:   " + profile_ + "\n"), std::string::npos) << help.out;
    EXPECT_NE(Run({"--list-favorites"}).out.find("Tinsori II\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(profile_));
    stdout_ = "/dev/full";
    const Outcome full = Run({"--version"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "tinsori: cannot write to standard output\n");
}

TEST_F(ProgramTest, FavoriteGainAndLoudnessShapeTheRender) {
    const Outcome plain = Run({"--render", Path("a.wav"), "--duration", "10", "--seed", "2",
                               "--favorite", "alien world", "--midi-log", Path("a.log")});
    const Outcome quieter = Run({"--render", Path("b.wav"), "--duration", "10", "--seed", "2",
                                 "--favorite", "Alien World", "--gain", "-6"});
    const Outcome normalized = Run({"--render", Path("c.wav"), "--duration", "10", "--seed", "2",
                                    "--favorite", "Alien World", "--loudness", "-14"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(quieter.status, 0) << quieter.err;
    ASSERT_EQ(normalized.status, 0) << normalized.err;
    // Its instrument (program 115) is chosen at start-up.
    EXPECT_NE(ReadFile(Path("a.log")).find("\n0 C0 115 0\n"), std::string::npos);
    const auto loudness = [](const std::string& err) {
        const size_t at = err.find("level ");
        return at == std::string::npos ? 0.0 : std::stod(err.substr(at + 6));
    };
    EXPECT_LT(loudness(plain.err), 0.0) << plain.err;
    EXPECT_NEAR(loudness(plain.err) - loudness(quieter.err), 6.0, 0.5);
    EXPECT_NEAR(loudness(normalized.err), -14.0, 0.2) << normalized.err;
    // Replayed whole from the spool, neither cut short nor padded.
    const auto frames = [](const std::string& path) {
        SF_INFO info{};
        sf_close(sf_open(path.c_str(), SFM_READ, &info));
        return info.frames;
    };
    EXPECT_EQ(frames(Path("c.wav")), frames(Path("a.wav")));
}

TEST_F(ProgramTest, ProfilesThatCannotBeReadAreReportedNotReplaced) {
    std::ofstream(profile_) << "random bytes, not a database at all";
    const std::string before = ReadFile(profile_);
    EXPECT_EQ(Run({"--export-profile", "-"}).status, 1);
    EXPECT_EQ(Run({"--render", Path("x.log"), "--duration", "1", "--seed", "1"}).status, 1);
    // Named with --profile (for instance with the import's arguments swapped), it is refused.
    const Outcome swapped = Run({"--import-profile", Path("p.db"), "--profile", profile_});
    EXPECT_EQ(swapped.status, 2);
    EXPECT_EQ(Lines(swapped.err).size(), 1u) << swapped.err;
    EXPECT_EQ(Run({"--no-gui", "--profile", profile_}).status, 2);
    EXPECT_EQ(ReadFile(profile_), before);
    for (const auto& entry : fs::directory_iterator(folder_.path()))
        EXPECT_EQ(entry.path().string().find("corrupt"), std::string::npos) << entry.path();
}

TEST_F(ProgramTest, ImportsThatCannotBeReadChangeNothing) {
    for (const std::string& source : {folder_.path().string(), std::string("/dev/zero")}) {
        const Outcome outcome = Run({"--import-profile", source});
        EXPECT_EQ(outcome.status, 2) << source;
        EXPECT_EQ(Lines(outcome.err).size(), 1u) << outcome.err;
    }
    std::ofstream(Path("bad.reg")) << "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\"
                                      "Software\\Quillfen\\Tinsori\\S]\n\"v\"=dword:zz\n";
    EXPECT_EQ(Run({"--import-profile", Path("bad.reg")}).status, 2);
    EXPECT_FALSE(fs::exists(profile_));
}

TEST_F(ProgramTest, ExportedProfileImportsIntoAnEqualProfile) {
    {
        auto store = ProfileStore::Open(profile_);
        store->WriteInt("Settings", "Wind Speed", 404);
        const std::string name = "Say \"hi\" \\ there";
        store->WriteString("Midi", "Inst3", &name);
        const uint8_t bytes[] = {1, 2, 0xfe};
        const std::string value = "Blob";
        store->WriteValue("Odd", &value, bytes, kKindBinary, sizeof bytes);
    }
    const Outcome exported = Run({"--export-profile", "-"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out.rfind("Windows Registry Editor Version 5.00", 0), 0u);
    std::ofstream(Path("p.reg"), std::ios::binary) << exported.out;

    profile_ = Path("other.db");
    ASSERT_EQ(Run({"--import-profile", Path("p.reg")}).status, 0);
    EXPECT_EQ(Run({"--export-profile", "-"}).out, exported.out);
    EXPECT_EQ(Run({"--import-profile", Path("missing.reg")}).status, 2);
}

// Pipes: a reader that leaves early is a failed write (1), not a death by SIGPIPE (141); the
// message log appends to a pipe as to a file.
TEST_F(ProgramTest, PipesAreWrittenAndReadersThatLeaveAreAFailure) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    stdoutFd_ = ends[1];
    EXPECT_EQ(Run({"--export-profile", "-"}).status, 1);
    close(ends[1]);

    ASSERT_EQ(pipe(ends), 0);
    stdoutFd_ = ends[1];
    const Outcome logged =
        Run({"--render", Path("p.mid"), "--duration", "1", "--midi-log", "/dev/stdout"});
    close(ends[1]);
    char head[8] = {};
    EXPECT_EQ(read(ends[0], head, 7), 7);
    close(ends[0]);
    EXPECT_EQ(logged.status, 0) << logged.err;
    EXPECT_EQ(std::string(head), "0 C0 14");
}

// Only a regular file (or a name not yet taken) is a profile: a device is refused up front.
TEST_F(ProgramTest, DeviceAsProfileIsRefused) {
    profile_ = "/dev/null";
    const Outcome outcome = Run({"--render", Path("d.mid"), "--duration", "1"});
    EXPECT_EQ(outcome.status, 2) << outcome.err;
    EXPECT_FALSE(fs::exists(Path("d.mid")));
}

// No folder the profile can be made in: play from the defaults, in memory, and say so.
TEST_F(ProgramTest, ProfileThatCannotBeMadePlaysTheDefaultsUnsaved) {
    std::ofstream(Path("file")) << "not a folder";
    profile_ = Path("file/tinsori/profile.db");
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", Path("live.log")}, 0);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Count(outcome.err, "changes will not be saved"), 1u) << outcome.err;
}

// Silence has no loudness: normalizing it is said to be impossible, not done with 0 dB.
TEST_F(ProgramTest, SilentRenderSaysItCannotBeNormalized) {
    ProfileStore::Open(profile_)->WriteInt("Midi", "Volume 0", 0);
    const Outcome outcome =
        Run({"--render", Path("s.wav"), "--duration", "2", "--seed", "1", "--loudness", "-16"});
    EXPECT_NE(outcome.err.find("silent (below -70 LUFS) and cannot be normalized"),
              std::string::npos)
        << outcome.err;
}

TEST_F(ProgramTest, WaveRenderIsNotSilent) {
    const Outcome outcome = Run({"--render", Path("m.wav"), "--duration", "60", "--seed", "5"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    SF_INFO info{};
    SNDFILE* file = sf_open(Path("m.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_GE(info.frames, 60 * 44100);
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    double energy = 0;
    float peak = 0;
    for (float s : samples) {
        energy += static_cast<double>(s) * s;
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_GT(peak, 0.01f);
    EXPECT_GT(std::sqrt(energy / samples.size()), 0.0005);
}

TEST_F(ProgramTest, FadedRenderEndsInDigitalSilenceAndRepeatsByteForByte) {
    for (const char* name : {"a.log", "b.log"})
        ASSERT_EQ(
            Run({"--render", Path(name), "--duration", "20", "--fade", "5", "--seed", "4"}).status,
            0);
    const std::string log = ReadFile(Path("a.log"));
    EXPECT_EQ(log, ReadFile(Path("b.log")));
    // After the start-up's volume messages, the fade's first step and its last.
    std::vector<std::string> fade;
    for (const auto& line : Lines(log))
        if (line.find(" B0 7 ") != std::string::npos && std::stoul(line) > 1000)
            fade.push_back(line);
    ASSERT_GT(fade.size(), 5u);
    EXPECT_EQ(fade.front().rfind("15200 ", 0), 0u) << fade.front();
    EXPECT_EQ(fade.back(), "20000 B0 7 0");

    ASSERT_EQ(
        Run({"--render", Path("f.wav"), "--duration", "20", "--fade", "5", "--seed", "4"}).status,
        0);
    SF_INFO info{};
    SNDFILE* file = sf_open(Path("f.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<short> tail(static_cast<size_t>(info.samplerate * info.channels));
    sf_seek(file, info.frames - info.samplerate, SEEK_SET);
    ASSERT_EQ(sf_readf_short(file, tail.data(), info.samplerate), info.samplerate);
    sf_close(file);
    EXPECT_EQ(std::count(tail.begin(), tail.end(), 0), static_cast<long>(tail.size()));
}

TEST_F(ProgramTest, SleepEndsHeadlessPlayWithTheUnfadedVolumeSaved) {
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--sleep", "0.05", "--midi-log", Path("sleep.log")});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::vector<int> volumes;
    for (const auto& line : Lines(ReadFile(Path("sleep.log"))))
        if (line.find(" B0 7 ") != std::string::npos)
            volumes.push_back(std::stoi(line.substr(line.rfind(' ') + 1)));
    // From the user's volume down to silence without rising again, through at least one level
    // between (a fade, not a cut); how many steps a busy machine's timer manages does not matter.
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front(), 80);
    EXPECT_EQ(volumes.back(), 0);
    EXPECT_TRUE(std::is_sorted(volumes.rbegin(), volumes.rend()));
    EXPECT_TRUE(std::any_of(volumes.begin(), volumes.end(), [](int v) { return v > 0 && v < 80; }));
    auto store = ProfileStore::OpenInMemoryCopy(profile_);
    EXPECT_EQ(store->ReadInt("Midi", "Volume 0", 0), 80);
    EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", -1), 0);
}

TEST_F(ProgramTest, HeadlessPlayerRunsUntilInterruptedThenShutsDown) {
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", Path("live.log")}, 1000);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(PriorityLines(outcome.err), 1u) << outcome.err;
    // The closing run descends from the highest chime before the program ends.
    const std::vector<int> notes = NoteOns(ReadFile(Path("live.log")));
    ASSERT_GE(notes.size(), 14u);
    EXPECT_TRUE(StartsWith(notes, kOpeningRun));
    EXPECT_TRUE(EndsWith(notes, kClosingRun));
    // Settings saved and the device released.
    auto store = ProfileStore::OpenInMemoryCopy(profile_);
    EXPECT_EQ(store->ReadInt("Settings", "Wind Speed", 0), 404);
    EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", -1), 0);
    std::string output;
    store->ReadString("Midi", "Output", output, 510);
    EXPECT_EQ(output, "none");
}

TEST_F(ProgramTest, ARememberedOutputNoneIsSaidAtEveryPlainStart) {
    ASSERT_EQ(Run({"--no-gui", "--output", "none", "--midi-log", Path("live.log")}, 0).status, 0);
    fs::remove(Path("live.log"));
    const Outcome outcome = Run({"--no-gui", "--midi-log", Path("live.log")}, 0);
    EXPECT_NE(outcome.err.find("the output is none, remembered"), std::string::npos) << outcome.err;
}

TEST_F(ProgramTest, HeadlessPlayWithoutSoundSaysWhyNotTheWindowsMessage) {
    if (fs::exists("/dev/snd")) GTEST_SKIP() << "this machine has a sound card";
    const Outcome outcome = Run({"--no-gui"}, 0);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err.find("In Use"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("tinsori: no sound: no audio output could be started"),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("--audio-driver"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("tinsori: settings saved in " + profile_ + "\n"), std::string::npos);
}

// The message log's disk runs full: said once, play goes on and ends as usual, exit status 1.
TEST_F(ProgramTest, HeadlessMessageLogOnAFullDiskIsReportedOnce) {
    const std::string disk = Path("disk");
    fs::create_directory(disk);
    testing_support::PrivateMount small(disk, testing_support::PrivateMount::kSmallDisk, 65536);
    if (!small.ready()) GTEST_SKIP() << small.why();
    testing_support::PrivateMount::Fill(disk + "/filler");
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", disk + "/live.log"}, 500);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_EQ(Count(outcome.err, "writing the message log"), 1u) << outcome.err;
    EXPECT_NE(outcome.err.find("settings saved in"), std::string::npos) << outcome.err;
}

// The disk runs full before the settings are saved at the end.
TEST_F(ProgramTest, SettingsThatCannotBeSavedFailTheRunWithOneLine) {
    const std::string disk = Path("disk");
    fs::create_directory(disk);
    testing_support::PrivateMount small(disk, testing_support::PrivateMount::kSmallDisk, 1 << 20);
    if (!small.ready()) GTEST_SKIP() << small.why();
    profile_ = disk + "/profile.db";
    beforeSignal_ = [&disk] { testing_support::PrivateMount::Fill(disk + "/filler"); };
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", Path("live.log")}, 0);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_EQ(Count(outcome.err, "tinsori: The settings could not be saved"), 1u) << outcome.err;
    EXPECT_EQ(Count(outcome.err, "Tinsori:"), 0u) << outcome.err;
}

// Read-only, the profile still plays its stored settings; the run says once that changes stay.
TEST_F(ProgramTest, ReadOnlyProfilePlaysWithItsStoredSettings) {
    const std::string folder = Path("ro");
    fs::create_directory(folder);
    profile_ = folder + "/profile.db";
    ProfileStore::Open(profile_)->WriteInt("Settings", "Instrument", 115);
    testing_support::PrivateMount readOnly(folder, testing_support::PrivateMount::kReadOnly);
    if (!readOnly.ready()) GTEST_SKIP() << readOnly.why();
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", Path("live.log")}, 0);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Count(outcome.err, "changes will not be saved"), 1u) << outcome.err;
    EXPECT_NE(outcome.err.find("tinsori: settings not saved"), std::string::npos) << outcome.err;
    EXPECT_NE(ReadFile(Path("live.log")).find(" C0 115 0\n"), std::string::npos);
}

// A second stop signal while the first is being handled must not cut the closing of the profile
// short: its write-ahead files would stay behind.
TEST_F(ProgramTest, RepeatedStopSignalsStillCloseTheProfile) {
    signalCount_ = 2;
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", Path("live.log")}, 0, SIGTERM);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_FALSE(fs::exists(profile_ + "-wal"));
    EXPECT_FALSE(fs::exists(profile_ + "-shm"));
}

TEST_F(ProgramTest, HangUpEndsHeadlessPlayLikeASessionEnd) {
    const Outcome outcome =
        Run({"--no-gui", "--output", "none", "--midi-log", Path("hup.log")}, 0, SIGHUP);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    // No closing run at the end of a session. Strikes may have sounded before the signal came.
    const std::vector<int> notes = NoteOns(ReadFile(Path("hup.log")));
    EXPECT_TRUE(StartsWith(notes, kOpeningRun));
    EXPECT_FALSE(EndsWith(notes, kClosingRun));
    auto store = ProfileStore::OpenInMemoryCopy(profile_);
    EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", -1), 0);
    EXPECT_EQ(store->ReadInt("Settings", "Num Chimes", 0), 7);
}

// Without the window the program plays headless, where every stop signal plays the closing run.
constexpr bool kBuiltWithWindow =
#if TINSORI_HAS_GUI
    true;
#else
    false;
#endif

// The window, offscreen: SIGTERM is the desktop session ending (no closing run), SIGINT closes
// the window (closing run); both save and release the device.
TEST_F(ProgramTest, WindowEndsOnSignalsAsTheSessionOrTheCloseBoxWould) {
    if (!kBuiltWithWindow) GTEST_SKIP() << "this build has no window";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const Outcome term = Run({"--output", "none", "--midi-log", Path("hup.log")}, 0, SIGTERM);
    ASSERT_EQ(term.status, 0) << term.err;
    EXPECT_FALSE(EndsWith(NoteOns(ReadFile(Path("hup.log"))), kClosingRun));
    fs::remove(Path("hup.log"));  // the next run waits for its own opening run
    const Outcome closed = Run({"--output", "none", "--midi-log", Path("live.log")}, 0, SIGINT);
    ASSERT_EQ(closed.status, 0) << closed.err;
    EXPECT_EQ(PriorityLines(closed.err), 1u) << closed.err;
    EXPECT_TRUE(EndsWith(NoteOns(ReadFile(Path("live.log"))), kClosingRun));
    auto store = ProfileStore::OpenInMemoryCopy(profile_);
    EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", -1), 0);
    EXPECT_EQ(store->ReadInt("Settings", "Num Chimes", 0), 7);
}

// A damaged profile is moved aside and the window says where; closing the window while that
// message is still open ends the program all the same.
TEST_F(ProgramTest, WindowReportsADamagedProfileAndStillCloses) {
    if (!kBuiltWithWindow) GTEST_SKIP() << "this build has no window";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::ofstream(profile_, std::ios::binary) << std::string(4096, 'x');
    const Outcome outcome = Run({"--output", "none", "--midi-log", Path("live.log")}, 0, SIGINT);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("it was moved to"), std::string::npos) << outcome.err;
    auto store = ProfileStore::OpenInMemoryCopy(profile_);
    EXPECT_EQ(store->ReadInt("Current", "NumOpenApps", -1), 0);
}

}  // namespace
}  // namespace tinsori
