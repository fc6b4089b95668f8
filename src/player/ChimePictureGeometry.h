#pragma once

namespace tinsori {

// Size of the chime picture in pixels; the pointer geometry is relative to its top-left corner.
inline constexpr int kChimePictureWidth = 79;
inline constexpr int kChimePictureHeight = 69;

// Where the pointer is over the tubes of the chime picture.
struct TubeHit {
    bool hit = false;
    int chime = -1;    // index into the chime set, 0..numChimes - 1
    int velocity = 0;  // 38..99, loudest at the top of a tube
};

// The tube under offset (dx, dy) from the picture's corner, with the strike's velocity and the
// chime it stands for in a set of `numChimes` (the leftmost tube is the last chime). Columns are
// visited right to left and the first one that holds the pointer decides, as a column's tube is
// never longer than the one to its right.
TubeHit TubeAt(int dx, int dy, int numChimes);

// A chime struck from the keyboard sounds halfway between the picture's softest and loudest.
inline constexpr int kKeyStrikeVelocity = (38 + 99) / 2;

// The pixel columns [left, right] where the pointer strikes `chime` of `numChimes`; empty
// (right < left) for a chime of a set too large to have a column of its own.
struct ChimeColumns {
    int left = 0;
    int right = -1;
};
ChimeColumns ColumnsOf(int chime, int numChimes);

}  // namespace tinsori
