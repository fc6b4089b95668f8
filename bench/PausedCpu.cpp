// CPU of the live player through the embedded synthesizer, playing and paused. Without a sound
// card FluidSynth's "file" driver stands in: it renders in real time like a card's driver. Pause
// must delete the driver, so the paused figure should be near zero.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <thread>

#include "midi/backends/FluidSynthPort.h"
#include "platform/LiveTimebase.h"
#include "player/Player.h"
#include "player/SilentView.h"
#include "store/ProfileStore.h"

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Share of one core used over `seconds`, with the wind timer ticking as in the program.
double CoreShare(tinsori::Player& player, int seconds) {
    const double before = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int tick = 0; tick < seconds * 5; ++tick) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(200 * (tick + 1)));
        player.OnWindTimer();
    }
    return (CpuSeconds() - before) / seconds;
}

}  // namespace

int main() {
    namespace fs = std::filesystem;
    // The file driver writes fluidsynth.wav into the working folder.
    const fs::path folder =
        fs::temp_directory_path() / ("tinsori-paused-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    {
        auto store = tinsori::ProfileStore::OpenInMemoryCopy((folder / "none.db").string());
        tinsori::LiveTimebase timebase;
        std::ostringstream messages;
        tinsori::SilentView view(messages);
        auto opener = [](std::string* error) {
            return tinsori::FluidSynthPort::open("", "file", error);
        };
        tinsori::Player player(timebase, *store, opener, view);
        player.Start("");
        if (!player.handle().isOpen()) {
            std::printf("no synthesizer: %s\n", player.openError().c_str());
            return 1;
        }
        constexpr int kSeconds = 10;
        std::printf("playing: %.2f%% of a core\n", 100 * CoreShare(player, kSeconds));
        player.OnPauseCommand();
        std::printf("paused:  %.2f%% of a core\n", 100 * CoreShare(player, kSeconds));
        player.OnPauseCommand();
        std::printf("continued: %.2f%% of a core\n", 100 * CoreShare(player, kSeconds));
        player.ShutDownOnSessionEnd();
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}
