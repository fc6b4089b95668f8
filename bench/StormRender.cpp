// Renders a 77-chime storm at wind 940 through the modelled chimes and through the embedded
// synthesizer, each in a child process, and prints the wall time, the real-time factor and the
// child's peak memory. Usage: bench_StormRender [SECONDS] [FOLDER]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "app/CommandLine.h"
#include "app/Renderer.h"

namespace {

constexpr const char* kStorm = "Settings,14,77,52,0,0,1,0,1190,1,940,5,12,0,2,4,7,9,0,1000";

int RenderInChild(const std::string& output, const std::string& path, int seconds) {
    std::string error;
    auto line =
        tinsori::CommandLine::Parse({kStorm, "--render", path, "--duration",
                                     std::to_string(seconds), "--seed", "1", "--output", output},
                                    error);
    if (!line) return 2;
    line->profilePath = "/nonexistent/tinsori-bench.db";
    std::ostringstream said;
    return tinsori::RunRender(*line, said);
}

void Measure(const std::string& output, const std::filesystem::path& folder, int seconds) {
    const std::string path = (folder / ("storm-" + output + ".wav")).string();
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) ::_exit(RenderInChild(output, path, seconds));
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%-10s %d s storm: %.2f s wall, %.0fx real time, CPU %.2f s, peak RSS %.1f MB%s\n",
                output.c_str(), seconds, took.count(), seconds / took.count(),
                usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6, usage.ru_maxrss / 1024.0,
                WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : " (render failed)");
    std::filesystem::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::stoi(argv[1]) : 120;
    const std::filesystem::path folder =
        argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
    for (const char* output : {"chimes", "fluidsynth"}) Measure(output, folder, seconds);
    return 0;
}
