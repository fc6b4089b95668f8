#include "player/NumberList.h"

namespace tinsori {

std::vector<std::string> NumberList::Entries() const {
    std::vector<std::string> entries;
    for (int value = spec_.lowest; value <= spec_.highest; ++value)
        entries.push_back(std::to_string(value));
    return entries;
}

}  // namespace tinsori
