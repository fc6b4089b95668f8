#pragma once

namespace tinsori {

// Works on the synthesizer's stereo output in place, block by block, after every note of the
// block has been rendered and before the block leaves for the sound server.
class StereoBlockProcessor {
public:
    virtual ~StereoBlockProcessor() = default;
    virtual void process(float* left, float* right, int frames) = 0;
    // How many frames later a frame comes out than it went in.
    virtual int latencyFrames() const { return 0; }
};

}  // namespace tinsori
