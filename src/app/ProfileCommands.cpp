#include "app/ProfileCommands.h"

#include <fstream>

#include "app/Program.h"
#include "store/RegistryText.h"

namespace tinsori {

std::string ProfilePath(const CommandLine& line) {
    return line.profilePath.empty() ? ProfileStore::DefaultPath() : line.profilePath;
}

std::unique_ptr<ProfileStore> OpenProfile(const CommandLine& line, std::ostream& err) {
    std::string notice;
    std::string error;
    auto store = ProfileStore::Open(ProfilePath(line), &notice, &error);
    if (!notice.empty()) err << "tinsori: " << notice << "\n";
    if (!store) err << "tinsori: cannot open the profile: " << error << "\n";
    return store;
}

// Reading never creates the profile file: an export of a missing profile is an empty one.
int ExportProfileTo(const CommandLine& line, std::ostream& out, std::ostream& err) {
    auto store = ProfileStore::OpenInMemoryCopy(ProfilePath(line));
    if (!store) {
        err << "tinsori: cannot read the profile " << ProfilePath(line) << "\n";
        return kExitFailure;
    }
    if (line.profileFile == "-")
        return ExportProfile(*store, out) && out.flush() ? kExitOk : kExitFailure;
    std::ofstream file(line.profileFile, std::ios::binary | std::ios::trunc);
    if (!file || !ExportProfile(*store, file) || !file.flush()) {
        err << "tinsori: cannot write " << line.profileFile << "\n";
        return kExitUsage;
    }
    return kExitOk;
}

int ImportProfileFrom(const CommandLine& line, std::ostream& err) {
    std::ifstream file(line.profileFile, std::ios::binary);
    if (!file) {
        err << "tinsori: cannot read " << line.profileFile << "\n";
        return kExitUsage;
    }
    auto store = OpenProfile(line, err);
    if (!store) return kExitFailure;
    std::string error;
    if (!ImportProfile(*store, file, &error)) {
        err << "tinsori: " << line.profileFile << ": " << error << "\n";
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace tinsori
