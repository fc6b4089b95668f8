#pragma once

#include <algorithm>

namespace tinsori {

// The chime picture's keys: digits strike the first ten chimes, Left and Right choose a chime and
// Space strikes the chosen one. The tubes are drawn shortest on the left, and the leftmost is the
// last chime: Left moves to a later chime, Right to an earlier one.
class ChimePictureKeys {
public:
    // The chime a digit key strikes: 1 the first, 9 the ninth, 0 the tenth.
    static constexpr int ChimeOfDigit(int digit) { return digit == 0 ? 9 : digit - 1; }

    // The chosen chime, inside a set of `count` chimes (which may have shrunk since the choice).
    int chosen(int count) const { return std::clamp(chosen_, 0, std::max(1, count) - 1); }
    void MoveLeft(int count) { Move(+1, count); }
    void MoveRight(int count) { Move(-1, count); }

private:
    void Move(int step, int count) {
        chosen_ = std::clamp(chosen(count) + step, 0, std::max(1, count) - 1);
    }

    int chosen_ = 0;
};

}  // namespace tinsori
