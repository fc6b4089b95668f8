#include "app/RunSeed.h"

#include <windows.h>

namespace tinsori {

// The tick count x 17, as the window seeds its generator.
uint32_t RunSeed() {
    return static_cast<uint32_t>(GetTickCount64()) * 17u;
}

}  // namespace tinsori
