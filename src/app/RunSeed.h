#pragma once

#include <cstdint>

namespace tinsori {

// The seed of a live run: the original program's tick count (milliseconds since the system
// started) x 17, so that each run plays other music.
uint32_t RunSeed();

}  // namespace tinsori
