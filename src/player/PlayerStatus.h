#pragma once

#include <cstdint>
#include <string>

namespace tinsori {

// A time left as minutes and seconds, "14:05", rounded up to the whole second, so that the last
// second reads 0:01 rather than 0:00.
std::string MinutesSeconds(uint32_t ms);

}  // namespace tinsori
