// Measures the level of audio renders: the built-in favorites (90 s each, seed 1), two chime
// storms (120 s) and a render to a loudness, each file read back and metered (EBU R128).
// Usage: bench_RenderLevel [--output NAME] [FOLDER] (NAME chimes: through the modelled chimes);
// bench_RenderLevel --meter FILE... meters audio files alone.
// SOUNDFONT in the environment renders with that soundfont instead of the default.

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Renderer.h"
#include "midi/backends/LoudnessMeter.h"
#include "settings/BuiltInPresets.h"

namespace {

namespace fs = std::filesystem;

struct Level {
    bool rendered = false;
    double integrated = 0, samplePeak = 0, truePeak = 0;
    double reduction = 0;  // the limiter's deepest cut, as the render reported it
    bool clippedLine = false;
    std::string said;
};

// The render's own report of the limiter's deepest cut ("up to X dB"), 0 when it says none.
double ReportedReduction(const std::string& said) {
    const auto at = said.find("up to ");
    return at == std::string::npos ? 0.0 : std::stod(said.substr(at + 6));
}

// Reads the file back and meters it; false when it cannot be read.
bool Meter(const fs::path& file, Level& level) {
    SF_INFO info{};
    SNDFILE* in = sf_open(file.c_str(), SFM_READ, &info);
    if (!in) return false;
    tinsori::LoudnessMeter meter(info.channels, info.samplerate);
    std::vector<float> block(4096 * static_cast<size_t>(info.channels));
    while (const sf_count_t got = sf_readf_float(in, block.data(), 4096))
        meter.add(block.data(), static_cast<size_t>(got));
    sf_close(in);
    level.integrated = meter.integratedLufs();
    level.samplePeak = meter.samplePeakDb();
    level.truePeak = meter.truePeakDb();
    return true;
}

// Given to every render: the output to render through.
std::vector<std::string> outputArgs;

Level Render(const fs::path& file, std::vector<std::string> args) {
    args.insert(args.end(), {"--render", file.string(), "--seed", "1"});
    args.insert(args.end(), outputArgs.begin(), outputArgs.end());
    if (const char* soundfont = std::getenv("SOUNDFONT"))
        args.insert(args.end(), {"--soundfont", soundfont});
    std::string error;
    auto line = tinsori::CommandLine::Parse(args, error);
    Level level;
    if (!line) {
        level.said = error;
        return level;
    }
    line->profilePath = "/nonexistent/tinsori-bench.db";  // every run from the defaults
    std::ostringstream said;
    level.rendered = tinsori::RunRender(*line, said) == 0;
    level.said = said.str();
    level.clippedLine = level.said.find("clipped") != std::string::npos;
    level.reduction = ReportedReduction(level.said);
    Meter(file, level);
    return level;
}

void PrintLevel(const std::string& what, const Level& level) {
    if (!level.rendered) {
        std::printf("%-44s render failed: %s\n", what.c_str(), level.said.c_str());
        return;
    }
    std::printf("%-44s %6.1f LUFS, peak %5.1f dBFS, true peak %5.1f dBTP, limiter %.1f dB%s\n",
                what.c_str(), level.integrated, level.samplePeak, level.truePeak, level.reduction,
                level.clippedLine ? ", \"clipped\" line" : "");
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Favorites(const fs::path& folder) {
    std::vector<Level> levels;
    int clippedLines = 0, limited = 0;
    for (std::string_view favorite : tinsori::BuiltInFavorites) {
        const std::string name(favorite.substr(0, favorite.find(',')));
        Level level = Render(folder / "favorite.wav", {"--favorite", name, "--duration", "90"});
        if (!level.rendered) PrintLevel(name, level);
        clippedLines += level.clippedLine;
        limited += level.reduction > 0.0;
        levels.push_back(level);
    }
    const auto by = [](auto member) {
        return [member](const Level& a, const Level& b) { return a.*member < b.*member; };
    };
    std::vector<Level> sorted = levels;
    std::sort(sorted.begin(), sorted.end(), by(&Level::integrated));
    std::printf(
        "favorites (%zu x 90 s, seed 1): integrated min %.1f / median %.1f / max %.1f LUFS\n",
        levels.size(), sorted.front().integrated, sorted[sorted.size() / 2].integrated,
        sorted.back().integrated);
    std::printf("  largest sample peak %.2f dBFS, largest true peak %.2f dBTP\n",
                std::max_element(levels.begin(), levels.end(), by(&Level::samplePeak))->samplePeak,
                std::max_element(levels.begin(), levels.end(), by(&Level::truePeak))->truePeak);
    std::printf("  limiter: largest cut %.1f dB, %d of %zu renders limited; %d \"clipped\" lines\n",
                std::max_element(levels.begin(), levels.end(), by(&Level::reduction))->reduction,
                limited, levels.size(), clippedLines);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--meter") {
        for (int i = 2; i < argc; ++i) {
            Level level;
            level.rendered = Meter(argv[i], level);
            if (!level.rendered) level.said = "cannot read it";
            PrintLevel(argv[i], level);
        }
        return 0;
    }
    if (argc > 2 && std::string(argv[1]) == "--output") {
        outputArgs = {argv[1], argv[2]};
        argc -= 2;
        argv += 2;
    }
    const fs::path folder = fs::path(argc > 1 ? argv[1] : fs::temp_directory_path()) /
                            ("tinsori-level-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    Favorites(folder);
    PrintLevel(
        "storm 40 chimes wind 940, 120 s",
        Render(folder / "storm.wav", {"Settings,14,40,52,0,0,1,0,1190,1,940,5,12,0,2,4,7,9,0,1000",
                                      "--duration", "120"}));
    PrintLevel(
        "storm 77 chimes wind 940, 120 s",
        Render(folder / "storm.wav", {"Settings,14,77,52,0,0,1,0,1190,1,940,5,12,0,2,4,7,9,0,1000",
                                      "--duration", "120"}));
    PrintLevel(
        "storm 77 chimes, configuration 2, 120 s",
        Render(folder / "storm.wav", {"Settings,14,77,52,0,0,2,0,1190,1,940,5,12,0,2,4,7,9,0,1000",
                                      "--duration", "120"}));
    PrintLevel("default start, 90 s", Render(folder / "default.wav", {"--duration", "90"}));
    const Level first = Render(folder / "loud1.wav", {"--loudness", "-16", "--duration", "90"});
    PrintLevel("default start --loudness -16, 90 s", first);
    Render(folder / "loud2.wav", {"--loudness", "-16", "--duration", "90"});
    std::printf("same seed twice gives the same bytes: %s\n",
                first.rendered && Bytes(folder / "loud1.wav") == Bytes(folder / "loud2.wav")
                    ? "yes"
                    : "no");
    fs::remove_all(folder);
    return 0;
}
