// Renders one hour of music to a MIDI file and to a WAV file and prints the wall time and the
// real-time factor of each. Usage: bench_RenderSpeed [SECONDS] [FOLDER]

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "app/CommandLine.h"
#include "app/Renderer.h"

namespace {

double RenderSeconds(const std::string& path, int seconds) {
    std::string error;
    auto line = tinsori::CommandLine::Parse(
        {"--render", path, "--duration", std::to_string(seconds), "--seed", "1"}, error);
    // The bench's own profile: absent, so every run starts from the defaults.
    line->profilePath = "/nonexistent/tinsori-bench.db";
    std::ostringstream quiet;
    const auto start = std::chrono::steady_clock::now();
    const int status = tinsori::RunRender(*line, quiet);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (status != 0) std::cerr << "render failed: " << quiet.str();
    return took.count();
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::stoi(argv[1]) : 3600;
    const std::filesystem::path folder =
        argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
    for (const char* ending : {".mid", ".wav"}) {
        const std::string path = (folder / (std::string("render-speed") + ending)).string();
        const double wall = RenderSeconds(path, seconds);
        const auto bytes = std::filesystem::file_size(path);
        std::printf("%s: %d s of music in %.2f s wall, %.0fx real time, %.1f MB\n", ending, seconds,
                    wall, seconds / wall, bytes / 1e6);
        std::filesystem::remove(path);
    }
    return 0;
}
