#include "platform/ProcessIdentity.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace tinsori {

namespace {

struct StatFields {
    char state = 0;
    uint64_t startTime = 0;
};

// Reads the state and start time from /proc/<pid>/stat. The command name (field 2) may hold
// spaces and parentheses, so the fields are counted from the last ')'.
bool ReadStat(long pid, StatFields& out) {
    if (pid <= 0) return false;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return false;
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    fields >> out.state;  // field 3
    for (int number = 4; number < 22 && fields >> field; ++number) {
    }
    return static_cast<bool>(fields >> out.startTime);  // field 22
}

}  // namespace

ProcessIdentity ProcessIdentity::Self() {
    return Of(static_cast<long>(::getpid()));
}

ProcessIdentity ProcessIdentity::Of(long pid) {
    StatFields stat;
    if (!ReadStat(pid, stat)) return {pid, 0};
    return {pid, stat.startTime};
}

bool IsProcessAlive(long pid, uint64_t startTime) {
    StatFields stat;
    if (!ReadStat(pid, stat)) return false;
    return stat.startTime == startTime && stat.state != 'Z' && stat.state != 'X';
}

}  // namespace tinsori
