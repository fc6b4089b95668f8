#pragma once

#include <cstdint>

namespace tinsori {

// The C library's rand contract, one object per thread so that every thread owns its stream.
class Random {
public:
    static constexpr int kMax = 32767;

    Random() = default;
    explicit Random(uint32_t seed) : state_(seed) {}

    void seed(uint32_t seed) { state_ = seed; }
    uint32_t state() const { return state_; }

    // Next value in 0..32767.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }

    // A fresh draw reduced modulo n, as `rand() % n`. A bound below 1 (from a value out of its
    // range) still consumes the draw, so the stream stays aligned, and yields 0.
    int mod(int n) {
        int r = next();
        return n > 0 ? r % n : 0;
    }

    // u = (rand % 10000) / 5000 - 1, so -1 <= u < 1.
    double unit() { return static_cast<double>(mod(10000)) / 5000.0 - 1.0; }

private:
    uint32_t state_ = 1;
};

}  // namespace tinsori
