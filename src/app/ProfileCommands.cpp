#include "app/ProfileCommands.h"

#include <fstream>

#include "app/Program.h"

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

int ExportProfileTo(const CommandLine&, std::ostream&, std::ostream& err) {
    err << "pending\n";
    return 1;
}
int ImportProfileFrom(const CommandLine&, std::ostream& err) {
    err << "pending\n";
    return 1;
}

}  // namespace tinsori
