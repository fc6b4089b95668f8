#include "app/HeadlessPlayer.h"

#include <poll.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <memory>

#include "app/FavoriteAtStart.h"
#include "app/MessageLogOption.h"
#include "app/Program.h"
#include "app/RunSeed.h"
#include "app/TerminalLine.h"
#include "midi/backends/OutputTable.h"
#include "midi/ports/OutputNames.h"
#include "platform/AsciiCase.h"
#include "platform/LiveTimebase.h"
#include "platform/StopSignalDescriptor.h"
#include "player/Player.h"
#include "player/PlayerStatus.h"
#include "player/SilentView.h"

namespace tinsori {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWindTimerPeriod = std::chrono::milliseconds(Player::kWindTimerPeriodMs);

// Waits up to `timeoutMs` for a stop signal; 0 when none came.
int WaitForStop(StopSignalDescriptor& signals, int timeoutMs) {
    pollfd p{signals.fd(), POLLIN, 0};
    const int ready = poll(&p, 1, timeoutMs);
    if (ready < 0) return errno == EINTR ? 0 : SIGTERM;
    return ready == 0 ? 0 : signals.Take();
}

std::string SleepText(const SleepTimer& sleep, uint32_t now) {
    if (!sleep.running()) return {};
    return "  sleep " + MinutesSeconds(sleep.remainingMs(now));
}

std::string StatusText(Player& player, const std::string& outputName, uint32_t now) {
    const ChimeSettings& s = player.settings();
    return "wind " + std::to_string(s.windNow.load()) + " (effective " +
           std::to_string(static_cast<int>(player.effectiveWind())) + ")  strikes " +
           std::to_string(player.strikes()) + "  velocity " +
           std::to_string(player.lastVelocity()) + "  output " +
           (!player.handle().isOpen()        ? std::string("none (silent)")
            : !player.interruption().empty() ? std::string("none (trying again)")
                                             : outputName) +
           SleepText(player.sleepTimer(), now);
}

std::string NextStep(const OutputChoice& output) {
    return OutputFor(output.output).nextStep;
}

// The message log fails at most once: said where the user is, then play goes on without it.
class LogWatch {
public:
    LogWatch(MessageLogWriter* log, std::ostream& err) : log_(log), err_(err) {}
    void Check(TerminalLine& status) {
        if (said_ || !log_ || !log_->failed()) return;
        said_ = true;
        status.finish();
        err_ << "tinsori: " << log_->failure() << "; playing on without it" << std::endl;
    }
    // Closes the log; false when it failed at any time.
    bool Finish(TerminalLine& status) {
        if (log_) log_->finish(0, nullptr);
        Check(status);
        return !said_;
    }

private:
    MessageLogWriter* log_;
    std::ostream& err_;
    bool said_ = false;
};

// An output that stopped while playing is said once; the music plays on silently.
void SayLostOutput(const Player& player, TerminalLine& status, std::ostream& err, bool& said) {
    const auto& lost = player.lostOutput();
    if (said || !lost) return;
    said = true;
    status.finish();
    err << "tinsori: no sound: " << lost->port << " stopped: " << lost->why
        << ". Playing on silently; --list-outputs lists the outputs there are." << std::endl;
}

// A sound server that went away is said once, and again when it answers: the output tries
// again by itself meanwhile.
class InterruptionWatch {
public:
    explicit InterruptionWatch(std::ostream& err) : err_(err) {}
    void Check(const Player& player, TerminalLine& status) {
        const bool interrupted = !player.interruption().empty();
        if (interrupted == interrupted_) return;
        interrupted_ = interrupted;
        status.finish();
        if (interrupted)
            err_ << "tinsori: No sound: " << player.interruption() << "; trying again" << std::endl;
        else
            err_ << "tinsori: the sound server answers again; playing on" << std::endl;
    }

private:
    std::ostream& err_;
    bool interrupted_ = false;
};

}  // namespace

int RunHeadless(const CommandLine& line, ProfileStore& store, const OutputChoice& output,
                const std::string& savedIn, StopSignalDescriptor& signals, std::ostream& err) {
    LiveTimebase timebase;
    std::unique_ptr<MessageLogWriter> log;
    if (!OpenMessageLog(line, timebase.clock(), log, err)) return kExitUsage;
    SilentView view(err);
    ChimeRingPlaces ring;
    OutputChoice timed = output;
    timed.liveTicks = &timebase.steadyClock();
    timed.ring = &ring;
    auto opener = [&timed](std::string* why) { return OpenOutput(timed, why); };
    const uint32_t seed = line.seed.value_or(RunSeed());
    if (!line.seed) err << "tinsori: seed " << seed << " (repeat with --seed " << seed << ")\n";
    Player player(timebase, store, opener, view, seed);
    ring.attach(&player.settings());
    player.handle().setTap(log.get());
    player.Start(line.settingsLine);
    ApplyFavoriteAtStart(line, player, err);
    // Said once: late strikes on a busy machine are the first thing this explains.
    err << "tinsori: simulation thread at " << timebase.priorityGrant().describe() << std::endl;
    if (line.sleepMinutes) player.StartSleep(line.sleepTicks(), SleepEnd::Stop);
    if (!player.handle().isOpen()) {
        const std::string& why = player.openError();
        err << "tinsori: no sound: " << (why.empty() ? "the output did not open" : why) << "."
            << NextStep(output)
            << " Playing on silently; --render FILE --duration SECONDS plays into a file."
            << std::endl;
    }
    // Remembered from an earlier run, `none` would silence every later start without a word.
    if (!line.output && EqualsIgnoringCase(output.output, kNoOutput))
        err << "tinsori: no sound: the output is none, remembered from an earlier run; "
               "--output fluidsynth plays through the embedded synthesizer again, "
               "--list-outputs lists the others."
            << std::endl;
    LogWatch logWatch(log.get(), err);

    TerminalLine status(err, TerminalLine::IsTerminal(2));
    auto nextTick = Clock::now() + kWindTimerPeriod;
    int stopSignal = 0;
    bool lostSaid = false;
    InterruptionWatch interruption(err);
    for (;;) {
        // Rounded up: a wait cut short of the tick would only poll again and again until it.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(nextTick - Clock::now());
        stopSignal = WaitForStop(signals, static_cast<int>(std::max<int64_t>(0, left.count())));
        if (stopSignal != 0) break;
        if (Clock::now() < nextTick) continue;
        player.OnWindTimer();
        logWatch.Check(status);
        SayLostOutput(player, status, err, lostSaid);
        interruption.Check(player, status);
        // The sleep timer has faded the music out: the usual shut-down follows.
        if (player.sleepEnded()) break;
        status.show(StatusText(player, output.output, timebase.clock().now()));
        nextTick += kWindTimerPeriod;
        // After a suspend, carry on from now instead of catching up on every missed tick.
        if (Clock::now() - nextTick > std::chrono::seconds(1)) nextTick = Clock::now();
    }
    status.finish();
    // A hang-up means the terminal's session is ending: the shorter shut-down, no closing run.
    if (stopSignal == SIGHUP) {
        player.ShutDownOnSessionEnd();
    } else {
        player.ShutDownOnDestroy();
    }
    player.handle().setTap(nullptr);
    const bool logged = logWatch.Finish(status);
    // A failed save has said so already, through the view.
    if (player.saveFailed()) return kExitFailure;
    if (savedIn.empty()) {
        err << "tinsori: settings not saved: the profile cannot be written" << std::endl;
    } else {
        err << "tinsori: settings saved in " << savedIn << std::endl;
    }
    return logged ? kExitOk : kExitFailure;
}

}  // namespace tinsori
