#include "app/ProfileCommands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Program.h"
#include "settings/BuiltInPresets.h"
#include "store/RegistryText.h"
#include "store/RegistryTextParser.h"

namespace tinsori {

namespace {

// A registry file of the whole profile is a few hundred kilobytes; anything near this is not one.
constexpr off_t kMaxImportBytes = 64 * 1024 * 1024;

// Reads the import file whole; false with a one-line reason.
bool ReadImportFile(const std::string& path, std::string& text, std::string& why) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        why = "not a regular file";
        return false;
    }
    if (info.st_size > kMaxImportBytes) {
        why = "larger than 64 MB, too large for an exported profile";
        return false;
    }
    try {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream whole;
        if (!file || !(whole << file.rdbuf()) || file.bad()) {
            why = "it could not be read";
            return false;
        }
        text = whole.str();
    } catch (const std::exception& e) {
        why = std::string("it could not be read: ") + e.what();
        return false;
    }
    // The size was looked at before reading; a file that grew meanwhile is still refused.
    if (text.size() > static_cast<size_t>(kMaxImportBytes)) {
        why = "larger than 64 MB, too large for an exported profile";
        return false;
    }
    return true;
}

void RemoveStoreFiles(const std::string& path) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(path + suffix, ignored);
}

// Opens the profile; a notice (a damaged file moved aside) is said at once, an error left to
// the caller.
std::unique_ptr<ProfileStore> OpenSayingNotice(const std::string& path, std::ostream& err,
                                               std::string& error) {
    std::string notice;
    auto store = ProfileStore::Open(path, &notice, &error);
    if (!notice.empty()) err << "tinsori: " << notice << "\n";
    return store;
}

}  // namespace

std::string ProfilePath(const CommandLine& line) {
    return line.profilePath.value_or(ProfileStore::DefaultPath());
}

bool CheckNamedProfile(const CommandLine& line, std::string& error) {
    struct stat info {};
    // A device or a pipe would be written to and grown companion files beside it.
    const std::string profile = ProfilePath(line);
    if (::stat(profile.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = "the profile " + profile + " is not a regular file (nothing was changed)";
        return false;
    }
    if (!line.profilePath) return true;
    const std::string& path = *line.profilePath;
    if (::stat(path.c_str(), &info) != 0) return true;            // made on first use
    if (S_ISREG(info.st_mode) && info.st_size == 0) return true;  // SQLite takes it as new
    if (S_ISREG(info.st_mode) && ProfileStore::LooksLikeStoreFile(path)) return true;
    // A file the user named that is no database at all is most likely the wrong argument: it is
    // left alone rather than moved aside for a fresh profile.
    error = "the profile " + path + " is not a profile database (nothing was changed)";
    return false;
}

std::unique_ptr<ProfileStore> OpenProfile(const CommandLine& line, std::ostream& err) {
    std::string error;
    auto store = OpenSayingNotice(ProfilePath(line), err, error);
    if (!store) err << "tinsori: " << error << "\n";
    return store;
}

std::unique_ptr<ProfileStore> OpenProfileToPlay(const CommandLine& line, std::ostream& err,
                                                bool& readOnly) {
    const std::string path = ProfilePath(line);
    std::string error;
    auto store = OpenSayingNotice(path, err, error);
    readOnly = false;
    if (store) return store;
    // A profile that can be read but not written (a read-only folder or mount) still holds the
    // user's settings, and one that cannot be made at all (no usable home or config folder)
    // starts from the defaults: play either in memory rather than refuse to play at all.
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    store = ProfileStore::OpenInMemoryCopy(path);
    readOnly = store != nullptr;
    err << "tinsori: " << error;
    if (readOnly)
        err << (exists ? "; playing with its stored settings" : "; playing with the defaults")
            << ", but changes will not be saved";
    err << "\n";
    return store;
}

std::unique_ptr<ProfileStore> OpenProfileCopy(const CommandLine& line, std::ostream& err) {
    std::string error;
    auto store = ProfileStore::OpenInMemoryCopy(ProfilePath(line), &error);
    if (!store) err << "tinsori: " << error << "\n";
    return store;
}

std::unique_ptr<ProfileStore> StartUpFavorites(const CommandLine& line, std::ostream& err) {
    auto copy = OpenProfileCopy(line, err);
    if (copy) InstallBuiltInPresets(*copy);
    return copy;
}

// Reading never creates the profile file: an export of a missing profile is an empty one.
int ExportProfileTo(const CommandLine& line, std::ostream& out, std::ostream& err) {
    auto store = OpenProfileCopy(line, err);
    if (!store) return kExitFailure;
    std::vector<std::string> leftOut;
    const std::string& target = *line.profileFile;
    if (target == "-") {
        if (!ExportProfile(*store, out, &leftOut) || !out.flush()) return kExitFailure;
    } else {
        std::ofstream file(target, std::ios::binary | std::ios::trunc);
        if (!file || !ExportProfile(*store, file, &leftOut) || !file.flush()) {
            err << "tinsori: cannot write " << target << "\n";
            return kExitUsage;
        }
    }
    for (const std::string& what : leftOut)
        err << "tinsori: left out of the export, as an import could not read it back: " << what
            << "\n";
    return leftOut.empty() ? kExitOk : kExitFailure;
}

int ImportProfileFrom(const CommandLine& line, std::ostream& err) {
    // The file is read and checked whole before the profile is opened, so a wrong file (or the
    // two paths swapped) leaves the profile as it was, and a missing one uncreated.
    const std::string& source = *line.profileFile;
    std::string text;
    std::string error;
    if (!ReadImportFile(source, text, error)) {
        err << "tinsori: cannot import " << source << ": " << error << "\n";
        return kExitUsage;
    }
    const auto sections = RegistryTextParser::Parse(text, &error);
    if (!sections) {
        err << "tinsori: " << source << ": " << error << "\n";
        return kExitUsage;
    }
    const std::string path = ProfilePath(line);
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    auto store = OpenProfile(line, err);
    if (!store) return kExitFailure;
    if (!ApplyRegistryText(*store, *sections, &error)) {
        store.reset();
        if (!existed) RemoveStoreFiles(path);
        err << "tinsori: " << source << ": " << error << "; the profile is unchanged\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace tinsori
