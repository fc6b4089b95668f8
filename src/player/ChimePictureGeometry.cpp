#include "player/ChimePictureGeometry.h"

#include <algorithm>
#include <array>

namespace tinsori {

namespace {

constexpr int kColumns = 10;
// A column holds x > left edge; a tube needs kTubeTop <= y < its bottom.
constexpr std::array<int, kColumns> kLeftEdge{4, 13, 20, 27, 34, 41, 48, 56, 65, 71};
constexpr std::array<int, kColumns> kBottom{28, 30, 33, 38, 42, 46, 52, 57, 68, 68};
constexpr int kTubeTop = 16;
constexpr int kRightmostTube = 71;
constexpr int kTubeSpanLeft = 8;
constexpr int kTubeSpanWidth = 64;

}  // namespace

TubeHit TubeAt(int dx, int dy, int numChimes) {
    if (numChimes < 1 || dx > kRightmostTube) return {};
    for (int i = kColumns - 1; i >= 0; --i) {
        if (dx <= kLeftEdge[i]) continue;
        if (dy < kTubeTop || dy >= kBottom[i]) continue;
        const double depth = static_cast<double>(dy - kTubeTop) / (kBottom[i] - kTubeTop);
        const int velocity = 99 - static_cast<int>(depth * 62);
        const int chime = numChimes - (dx - kTubeSpanLeft) * numChimes / kTubeSpanWidth - 1;
        return {true, std::clamp(chime, 0, numChimes - 1), velocity};
    }
    return {};
}

// The inverse of the chime index in TubeAt: chime h takes the offsets whose
// (dx - 8) * n / 64 truncates to n - 1 - h.
ChimeColumns ColumnsOf(int chime, int numChimes) {
    if (numChimes < 1 || chime < 0 || chime >= numChimes) return {};
    const int slot = numChimes - 1 - chime;
    auto firstOffset = [numChimes](int k) {
        return kTubeSpanLeft + (k * kTubeSpanWidth + numChimes - 1) / numChimes;
    };
    return {firstOffset(slot), std::min(firstOffset(slot + 1) - 1, kRightmostTube)};
}

}  // namespace tinsori
