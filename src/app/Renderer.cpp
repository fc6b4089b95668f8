#include "app/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/FavoriteAtStart.h"
#include "app/MessageLogOption.h"
#include "app/ProfileCommands.h"
#include "app/Program.h"
#include "app/RenderProgress.h"
#include "app/RunSeed.h"
#include "midi/backends/OutputFactory.h"
#include "platform/AsciiCase.h"
#include "platform/StopSignalDescriptor.h"
#include "platform/VirtualTimeline.h"
#include "player/Player.h"
#include "player/SilentView.h"
#include "store/ProfileStore.h"

namespace tinsori {

namespace {

// Virtual milliseconds run between two looks at the wall clock for the progress bar.
constexpr uint32_t kProgressStep = 10000;
constexpr uint32_t kWindTimerPeriod = Player::kWindTimerPeriodMs;

// Why a render ended before its end: a stop signal (its number), or a file it could no longer
// write.
constexpr int kWriteFailed = -1;

// The virtual time reached, as a player shows it: "01:12", "1:02:03" past an hour.
std::string ElapsedText(uint32_t ticks) {
    const uint32_t seconds = ticks / 1000;
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%u:%02u:%02u", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%02u:%02u", seconds / 60, seconds % 60);
    }
    return text;
}

bool WriteFailed(const RenderSink& sink, const MessageLogWriter* log) {
    return sink.failed() || (log && log->failed());
}

// Runs the wind timer and the simulation up to `end`, in steps, so that a render that takes
// more than a second of wall time can show its progress and a stop signal or a full disk ends
// it soon. Stepping changes nothing in the music: the timeline remembers its timer ticks across
// calls. Returns 0 when the end was reached, else the stop signal or kWriteFailed.
int RunWithProgress(VirtualTimeline& timeline, Player& player, uint32_t end,
                    RenderProgress& progress, const std::function<bool()>& writeFailed) {
    const auto onTimer = [&player] { player.OnWindTimer(); };
    uint32_t reached = 0;
    do {
        reached = end - reached > kProgressStep ? reached + kProgressStep : end;
        timeline.runUntil(reached, kWindTimerPeriod, onTimer);
        if (!progress.update("rendering", end ? static_cast<double>(reached) / end : 1.0))
            return progress.stopSignal();
        if (writeFailed()) return kWriteFailed;
    } while (reached < end);
    return 0;
}

std::string OneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string LevelText(const AudioLevel& level) {
    // Below the loudness gate there is no level to bring anywhere: no gain was applied.
    if (level.loudnessGainDb && !std::isfinite(level.integratedLufs))
        return "the render is silent (below -70 LUFS) and cannot be normalized; written as it is";
    if (!std::isfinite(level.samplePeakDb)) return "level: silence";
    std::string text = "level " + OneDecimal(level.integratedLufs) +
                       " LUFS integrated, true peak " + OneDecimal(level.truePeakDb) +
                       " dBTP, peak " + OneDecimal(level.samplePeakDb) + " dBFS";
    if (level.limiterCutDb > 0.0)
        text += "; the limiter cut up to " + OneDecimal(level.limiterCutDb) + " dB, " +
                OneDecimal(level.limitedSeconds) + " s in all";
    if (level.loudnessGainDb)
        text += "; normalized with " + OneDecimal(*level.loudnessGainDb) + " dB of gain";
    if (level.samplePeakDb > 0.0) text += " (clipped: render again with a lower --gain)";
    return text;
}

// The synthesizer of an audio render: the modelled chimes when the command line or the profile
// chooses them, the embedded synthesizer otherwise.
OutputChoice RenderSynth(const CommandLine& line, ProfileStore& store,
                         const ChimeRingPlaces& ring) {
    constexpr uint32_t kOutputNameBytes = 510;
    OutputChoice choice;
    if (line.output)
        choice.output = *line.output;
    else
        store.ReadString("Midi", "Output", choice.output, kOutputNameBytes);
    if (!EqualsIgnoringCase(choice.output, kChimesOutput)) choice.output = kFluidSynthOutput;
    choice.soundfont = line.soundfont.value_or("");
    choice.gainDb = line.gainDb.value_or(0.0);
    choice.ring = &ring;
    return choice;
}

// A sleep timer that runs out first ends the render, as it ends play without a window.
uint32_t RenderEnd(const CommandLine& line) {
    const uint32_t duration = line.durationTicks();
    return line.sleepMinutes ? std::min(duration, line.sleepTicks()) : duration;
}

// Completes the files, or says why there are none: one line, and the exit status to match.
int FinishRender(uint32_t now, int stopped, RenderSink& sink, MessageLogWriter* log,
                 RenderProgress& progress, std::ostream& err) {
    const std::string after = ElapsedText(now);
    const auto stoppedRender = [&err, &after, &progress](int signal) {
        progress.endLine();
        err << "tinsori: render stopped after " << after << "; nothing written\n";
        return 128 + signal;
    };
    if (stopped > 0) return stoppedRender(stopped);
    // Normalizing goes over the audio again, as long again as the rendering took.
    sink.watchPasses([&progress](const std::string& pass, double fraction) {
        return progress.update(pass, fraction);
    });
    std::string error;
    const bool finished = sink.finish(now, &error);
    progress.endLine();
    if (!finished) {
        if (const int signal = progress.stopSignal()) return stoppedRender(signal);
        err << "tinsori: render failed after " << after << ": " << error << "; nothing written\n";
        return kExitFailure;
    }
    if (log && !log->finish(now, &error)) {
        err << "tinsori: " << error << "\n";
        return kExitFailure;
    }
    if (const auto level = sink.level()) err << "tinsori: " << LevelText(*level) << "\n";
    return kExitOk;
}

}  // namespace

int RunRender(const CommandLine& line, std::ostream& err) {
    // Before the simulation thread exists, so that it inherits the blocked stop signals: a stop
    // is then taken between steps, and the unfinished file removed rather than left half written.
    StopSignalDescriptor signals;
    auto store = OpenProfileCopy(line, err);
    if (!store) return kExitFailure;
    // Other running copies' device claims are not this render's business.
    store->DeleteSection("Current");

    const uint32_t seed = line.seed.value_or(RunSeed());
    if (!line.seed)
        err << "tinsori: render seed " << seed << " (repeat with --seed " << seed << ")\n";

    VirtualTimeline timeline;
    std::string error;
    ChimeRingPlaces ring;
    std::unique_ptr<RenderSink> sink =
        OpenRenderSink(*line.renderFile, RenderSynth(line, *store, ring), timeline.clock(), &error,
                       line.loudnessLufs);
    if (!sink) {
        err << "tinsori: " << error << "\n";
        return kExitUsage;
    }
    std::unique_ptr<MessageLogWriter> log;
    if (!OpenMessageLog(line, timeline.clock(), log, err)) return kExitUsage;

    SilentView view(err);
    RenderProgress progress(signals, err);
    int stopped = 0;
    {
        OutputChoice choice;
        choice.lent = sink.get();
        auto opener = [choice](std::string* why) { return OpenOutput(choice, why); };
        Player player(timeline, *store, opener, view, seed);
        ring.attach(&player.settings());
        player.handle().setTap(log.get());
        player.Start(line.settingsLine);
        ApplyFavoriteAtStart(line, player, err);
        const uint32_t end = RenderEnd(line);
        if (line.sleepMinutes || line.fadeSeconds) {
            // --fade fades out to the render's end; --sleep alone runs the live sleep timer.
            const uint32_t length =
                line.sleepMinutes && !line.fadeSeconds ? line.sleepTicks() : end;
            player.StartSleep(length, SleepEnd::Stop,
                              line.fadeSeconds ? line.fadeTicks() : SleepTimer::kFadeMs);
        }
        stopped = RunWithProgress(timeline, player, end, progress,
                                  [&sink, &log] { return WriteFailed(*sink, log.get()); });
        if (stopped == 0) {
            // The fade's last step, to silence, falls on the end itself, where no wind tick runs.
            player.OnSleepTimer();
            player.ShutDownOnDestroy();
            stopped = progress.stopSignal();
        }
        // A stopped player's destructor ends its thread without the shut-down's music.
        player.handle().setTap(nullptr);
    }
    // The tail still rings; the notes it could place are all sent.
    ring.attach(nullptr);
    return FinishRender(timeline.now(), stopped, *sink, log.get(), progress, err);
}

}  // namespace tinsori
