#pragma once

#include <cstdint>

namespace tinsori {

// What a live audio output pulls from: the next block of stereo frames. `heardNs` is the steady
// time at which the block's first frame will be heard, as well as the output can tell.
class AudioBlockSource {
public:
    virtual ~AudioBlockSource() = default;
    virtual void renderBlock(float* left, float* right, int frames, int64_t heardNs) = 0;
    // Nothing is heard for now (the output is starting or its server is gone): what was due long
    // before `nowNs` is settled without sound, so that it does not all sound at once later.
    virtual void settleUnheard(int64_t nowNs) = 0;
};

}  // namespace tinsori
