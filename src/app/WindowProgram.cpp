#include "app/WindowProgram.h"

#include <memory>
#include <string_view>

#include "app/MessageLogOption.h"
#include "app/Program.h"
#include "app/RunSeed.h"
#include "app/WindowFrontEnd.h"
#include "platform/LiveTimebase.h"
#include "platform/StopSignalDescriptor.h"

namespace tinsori {

namespace {

// "tinsori: <text>\n" lines, as the profile reported them, without the prefix.
std::string WithoutPrefix(std::string notice) {
    constexpr std::string_view kPrefix = "tinsori: ";
    if (notice.rfind(kPrefix, 0) == 0) notice.erase(0, kPrefix.size());
    while (!notice.empty() && notice.back() == '\n') notice.pop_back();
    return notice;
}

}  // namespace

int RunWindow(const CommandLine& line, ProfileStore& store, const OutputChoice& output,
              const std::string& profileNotice, StopSignalDescriptor& stopSignals,
              std::ostream& err) {
    LiveTimebase timebase;
    // The thread starts inside the window's start-up, so it tells the log output itself.
    timebase.onPriorityGranted([&err](const PriorityGrant& grant) {
        err << "tinsori: simulation thread at " << grant.describe() << std::endl;
    });
    std::unique_ptr<MessageLogWriter> log;
    if (!OpenMessageLog(line, timebase.clock(), log, err)) return kExitUsage;
    ChimeRingPlaces ring;
    OutputChoice timed = output;
    timed.liveTicks = &timebase.steadyClock();
    timed.ring = &ring;
    WindowStart start{timebase,
                      store,
                      [&timed](std::string* why) { return OpenOutput(timed, why); },
                      line.seed.value_or(RunSeed()),
                      line.settingsLine,
                      line.minimized,
                      line.liveView,
                      WithoutPrefix(profileNotice),
                      log.get(),
                      &stopSignals,
                      line.favorite.value_or(""),
                      OutputCatalog{output.output, ListOutputs,
                                    [timed](const std::string& name, std::string* why) {
                                        OutputChoice chosen = timed;
                                        chosen.output = name;
                                        return OpenOutput(chosen, why);
                                    }},
                      line.sleepTicks(),
                      line.toolkitArgs,
                      &ring};
    return RunWindowFrontEnd(start, err);
}

}  // namespace tinsori
