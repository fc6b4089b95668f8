#pragma once

namespace tinsori {

// The model uses two values of 2 pi, and both are deliberate: its music depends on each being
// used where it is, so they must not be made one.
// - kTwoPiRough (6.28): the chimes' angles around the ring, the swing's starting phases and
//   angle, and how far its phases advance with time.
// - kTwoPi: bringing a phase back into one turn, and timing a strike to the swing's turning
//   points.
inline constexpr double kTwoPiRough = 6.28;
inline constexpr double kTwoPi = 6.283185307;

}  // namespace tinsori
