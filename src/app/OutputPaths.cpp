#include "app/OutputPaths.h"

#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "app/ProfileCommands.h"

namespace tinsori {

namespace {

// Absolute first: a relative name whose leading folders do not exist yet would otherwise stay
// relative, and never equal the same file named from the root.
std::filesystem::path Resolved(const std::string& path, std::error_code& ec) {
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? absolute : std::filesystem::weakly_canonical(absolute, ec);
}

// One file under two names: the same device and inode when both exist (links, "./", bind
// mounts), else the same absolute path once links and dots are resolved.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    const bool aExists = ::stat(a.c_str(), &first) == 0;
    const bool bExists = ::stat(b.c_str(), &second) == 0;
    if (aExists && bExists) return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (aExists != bExists) return false;
    std::error_code ec;
    const auto canonicalA = Resolved(a, ec);
    if (ec) return false;
    const auto canonicalB = Resolved(b, ec);
    return !ec && canonicalA == canonicalB;
}

struct Output {
    const char* option;
    std::string path;
};

std::vector<Output> OutputsOf(const CommandLine& line) {
    std::vector<Output> outputs;
    if (line.mode == RunMode::Render) outputs.push_back({"--render", *line.renderFile});
    if (line.midiLog) outputs.push_back({"--midi-log", *line.midiLog});
    if (line.mode == RunMode::ExportProfile && line.profileFile != "-")
        outputs.push_back({"--export-profile", *line.profileFile});
    return outputs;
}

}  // namespace

bool CheckOutputsApart(const CommandLine& line, std::string& error) {
    const std::vector<Output> outputs = OutputsOf(line);
    const std::string profile = ProfilePath(line);
    for (const Output& output : outputs) {
        // SQLite keeps a write-ahead log and its index beside the database.
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            if (!SameFile(output.path, profile + suffix)) continue;
            error = std::string(output.option) + " " + output.path + " is the profile " + profile +
                    suffix + ": give another file (nothing was changed)";
            return false;
        }
    }
    if (outputs.size() >= 2 && outputs[0].option == std::string("--render") &&
        SameFile(outputs[0].path, outputs[1].path)) {
        error = "--render and --midi-log name one file, " + outputs[0].path + ": give each its own";
        return false;
    }
    return true;
}

}  // namespace tinsori
