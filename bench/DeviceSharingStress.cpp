// Several processes open and close the shared device on one profile as fast as they can.
// Afterwards the section must show nobody holding the device, and no store call may have
// failed. Usage: bench_DeviceSharingStress [processes] [cycles] [profile]
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "midi/MidiDevice.h"
#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/NullPort.h"
#include "model/ChimeSettings.h"
#include "model/Random.h"
#include "store/SqliteStoreFile.h"

using namespace tinsori;

namespace {

class NoWait : public WakeEvent {
public:
    void signal() override {}
    void reset() override {}
    WaitResult wait(uint32_t) override { return WaitResult::TimedOut; }
};

struct Tally {
    unsigned long long retries = 0, failures = 0, violations = 0;
};

// One copy: open and close the device `cycles` times, checking its claim after each open.
Tally RunCopy(const std::string& profile, int cycles) {
    Tally tally;
    auto store = SqliteStoreFile::Open(profile, nullptr, nullptr);
    if (!store) return {0, 1, 0};
    Random random;
    ChimeSettings settings(random);
    MidiHandle handle;
    NoWait wake;
    MidiOut out(settings, handle, wake);
    MidiDeviceContext device{settings, *store, handle, out,
                             [](std::string*) { return std::make_unique<NullPort>(); }};
    for (int i = 0; i < cycles; ++i) {
        settings.channel = 0;
        const DeviceOpenResult result = OpenMidiDevice(device);
        std::string mask = "0";
        store->ReadString("Current", "ChannelsInUse", mask, 20);
        const int apps = store->ReadInt("Current", "NumOpenApps", 0);
        if (!result.opened || !(std::atol(mask.c_str()) & (1L << result.channel)) || apps < 1) {
            ++tally.violations;
        }
        CloseMidiDevice(device);
    }
    tally.retries = store->busyRetries();
    tally.failures = store->failures();
    return tally;
}

}  // namespace

int main(int argc, char** argv) {
    const int processes = argc > 1 ? std::atoi(argv[1]) : 4;
    const int cycles = argc > 2 ? std::atoi(argv[2]) : 500;
    const std::string profile = argc > 3 ? argv[3]
                                         : (std::filesystem::temp_directory_path() /
                                            ("tinsori-stress-" + std::to_string(getpid()) + ".db"))
                                               .string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(profile + suffix);
    {
        // Create the file before the copies race to do it (and close it before forking).
        auto store = SqliteStoreFile::Open(profile, nullptr, nullptr);
    }

    int pipes[2];
    if (pipe(pipes) != 0) return 1;
    const auto start = std::chrono::steady_clock::now();
    for (int p = 0; p < processes; ++p) {
        if (fork() == 0) {
            const Tally tally = RunCopy(profile, cycles);
            char line[96];
            const int length = std::snprintf(line, sizeof line, "%llu %llu %llu\n", tally.retries,
                                             tally.failures, tally.violations);
            _exit(write(pipes[1], line, length) == length ? 0 : 1);
        }
    }
    close(pipes[1]);
    int failedChildren = 0;
    for (int p = 0; p < processes; ++p) {
        int status = 0;
        wait(&status);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failedChildren;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Tally total;
    FILE* results = fdopen(pipes[0], "r");
    Tally one;
    while (std::fscanf(results, "%llu %llu %llu", &one.retries, &one.failures, &one.violations) ==
           3) {
        total.retries += one.retries;
        total.failures += one.failures;
        total.violations += one.violations;
    }
    fclose(results);

    auto store = SqliteStoreFile::Open(profile, nullptr, nullptr);
    std::string mask = "0";
    store->ReadString("Current", "ChannelsInUse", mask, 20);
    const int apps = store->ReadInt("Current", "NumOpenApps", -1);
    const size_t values = store->ValueNames("Current").size();
    std::printf("%d processes x %d open/close cycles: %.2f s wall, %.0f cycles/s\n", processes,
                cycles, seconds, processes * cycles / seconds);
    std::printf("busy retries %llu, failed calls %llu, claim violations %llu, failed copies %d\n",
                total.retries, total.failures, total.violations, failedChildren);
    std::printf("afterwards: NumOpenApps %d, ChannelsInUse %s, values in \"Current\" %zu\n", apps,
                mask.empty() ? "integer 0" : mask.c_str(), values);
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(profile + suffix);
    const bool ok = apps == 0 && std::atol(mask.c_str()) == 0 && total.failures == 0 &&
                    total.violations == 0 && failedChildren == 0 && values == 3;
    std::printf("%s\n", ok ? "OK" : "FAILED");
    return ok ? 0 : 1;
}
