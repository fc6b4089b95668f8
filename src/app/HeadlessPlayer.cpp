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
           (player.handle().isOpen() ? outputName : std::string("none (silent)")) +
           SleepText(player.sleepTimer(), now);
}

}  // namespace

int RunHeadless(const CommandLine& line, ProfileStore& store, const OutputChoice& output,
                std::ostream& err) {
    // Before any thread exists, so that every thread inherits the blocked signals.
    StopSignalDescriptor signals;
    LiveTimebase timebase;
    std::unique_ptr<MessageLogWriter> log;
    if (!OpenMessageLog(line, timebase.clock(), log, err)) return kExitUsage;
    SilentView view(err);
    OutputChoice timed = output;
    timed.liveTicks = &timebase.steadyClock();
    auto opener = [&timed](std::string* why) { return OpenOutput(timed, why); };
    const uint32_t seed = line.seed.value_or(RunSeed());
    if (!line.seed) err << "tinsori: seed " << seed << " (repeat with --seed " << seed << ")\n";
    Player player(timebase, store, opener, view, seed);
    player.handle().setTap(log.get());
    player.Start(line.settingsLine);
    ApplyFavoriteAtStart(line, player, err);
    // Said once: late strikes on a busy machine are the first thing this explains.
    err << "tinsori: simulation thread at " << timebase.priorityGrant().describe() << std::endl;
    if (line.sleepMinutes) player.StartSleep(line.sleepTicks(), SleepEnd::Stop);
    if (!player.handle().isOpen()) {
        const std::string& why = player.openError();
        err << "tinsori: no sound: " << (why.empty() ? "the output did not open" : why)
            << ". Playing on silently; --render FILE --duration SECONDS plays into a file."
            << std::endl;
    }

    TerminalLine status(err, TerminalLine::IsTerminal(2));
    auto nextTick = Clock::now() + kWindTimerPeriod;
    int stopSignal = 0;
    for (;;) {
        // Rounded up: a wait cut short of the tick would only poll again and again until it.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(nextTick - Clock::now());
        stopSignal = WaitForStop(signals, static_cast<int>(std::max<int64_t>(0, left.count())));
        if (stopSignal != 0) break;
        if (Clock::now() < nextTick) continue;
        player.OnWindTimer();
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
    return kExitOk;
}

}  // namespace tinsori
