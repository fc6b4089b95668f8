#include "app/RunSeed.h"

#include <ctime>

namespace tinsori {

uint32_t RunSeed() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ticks = static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                             static_cast<uint64_t>(now.tv_nsec) / 1000000u);
    return ticks * 17u;
}

}  // namespace tinsori
