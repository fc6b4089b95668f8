// The window's start and running cost, measured on the built program (needs an X display; run
// under `xvfb-run -a`): exec to the window mapped, exec to the first note of the opening run,
// peak resident memory after a minute with `--output none` and with the embedded synthesizer,
// and the CPU time of that minute for the window against the headless player.
//
//   bench_WindowStartup [seconds] [path/to/tinsori]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#if __has_include(<X11/Xlib.h>)
#include <X11/Xlib.h>
#define HAVE_XLIB 1
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Run {
    pid_t pid = -1;
    Clock::time_point started;
    fs::path log;
};

fs::path gFolder;
std::string gBinary;

Run Start(const std::string& name, std::vector<std::string> args) {
    Run run;
    run.log = gFolder / (name + ".log");
    args.insert(args.begin(), {gBinary, "--profile", (gFolder / (name + ".db")).string(),
                               "--midi-log", run.log.string()});
    run.started = Clock::now();
    run.pid = fork();
    if (run.pid == 0) {
        if (!freopen("/dev/null", "w", stderr)) _exit(126);
        std::vector<char*> argv(args.size() + 1, nullptr);
        std::transform(args.begin(), args.end(), argv.begin(), [](auto& a) { return a.data(); });
        execv(gBinary.c_str(), argv.data());
        _exit(127);
    }
    return run;
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool NoteLogged(const Run& run) {
    std::ifstream log(run.log);
    for (std::string line; std::getline(log, line);)
        if (line.find(" 90 ") != std::string::npos) return true;
    return false;
}

std::string ProcStatus(pid_t pid, const std::string& key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    return "?";
}

// User + system CPU seconds of a running process.
double CpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14 || i == 15) ticks += std::stol(field);
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void Stop(const Run& run) {
    kill(run.pid, SIGINT);
    int status = 0;
    waitpid(run.pid, &status, 0);
}

#ifdef HAVE_XLIB
bool MainWindowMapped(Display* display) {
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify) continue;
        char* name = nullptr;
        const bool ours = XFetchName(display, event.xmap.window, &name) && name &&
                          std::string(name).rfind("Tinsori (", 0) == 0;
        if (name) XFree(name);
        if (ours) return true;
    }
    return false;
}

// Milliseconds from exec until the main window is mapped and until the first note-on is
// logged, each -1 when it did not come within 30 s.
std::pair<double, double> WindowAndFirstNote(Display* display, const Run& run) {
    double shown = -1, note = -1;
    while ((shown < 0 || note < 0) && MsSince(run.started) < 30000) {
        if (shown < 0 && MainWindowMapped(display)) shown = MsSince(run.started);
        if (note < 0 && NoteLogged(run)) note = MsSince(run.started);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return {shown, note};
}
#endif

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    gBinary =
        argc > 2
            ? argv[2]
            : (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tinsori").string();
    gFolder = fs::temp_directory_path() / ("tinsori-window-bench-" + std::to_string(getpid()));
    fs::create_directories(gFolder);
#ifdef HAVE_XLIB
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::printf("skipped: needs an X display (run under xvfb-run -a)\n");
        return 0;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    std::printf("start (5 runs, --output none):\n");
    for (int i = 0; i < 5; ++i) {
        const Run run = Start("start" + std::to_string(i), {"--output", "none"});
        const auto [shown, note] = WindowAndFirstNote(display, run);
        std::printf("  exec to window shown %6.1f ms, to first note %6.1f ms\n", shown, note);
        Stop(run);
    }
#else
    std::printf("start: skipped (built without Xlib)\n");
#endif
    std::printf("a %d s run of each, side by side:\n", seconds);
    const Run window = Start("window", {"--output", "none"});
    const Run synth = Start("synth", {});
    const Run headless = Start("headless", {"--no-gui", "--output", "none"});
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double windowCpu = CpuSeconds(window.pid), headlessCpu = CpuSeconds(headless.pid);
    std::printf("  window, --output none:    peak RSS%s, CPU %.2f s\n",
                ProcStatus(window.pid, "VmHWM:").c_str(), windowCpu);
    std::printf("  window, embedded synth:   peak RSS%s, CPU %.2f s\n",
                ProcStatus(synth.pid, "VmHWM:").c_str(), CpuSeconds(synth.pid));
    std::printf("  headless, --output none:  peak RSS%s, CPU %.2f s\n",
                ProcStatus(headless.pid, "VmHWM:").c_str(), headlessCpu);
    if (headlessCpu > 0) std::printf("  window / headless CPU: %.2fx\n", windowCpu / headlessCpu);
    for (const Run* run : {&window, &synth, &headless}) Stop(*run);
    fs::remove_all(gFolder);
    return 0;
}
