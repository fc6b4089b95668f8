#pragma once

#include <array>
#include <cstdint>

#include "engine/LiveSnapshot.h"
#include "model/ChimeSettings.h"

namespace tinsori {

// The live view's picture of the model, seen from above: model units are those of the chime
// choice (the ring has radius 1.5 around the pendulum's rest point); view units are pixels with
// y pointing down.
struct ModelPoint {
    double x = 0, y = 0;
};
struct ViewPoint {
    double x = 0, y = 0;
};

inline constexpr double kRingRadius = 1.5;
// Half the length of the longest tube: the ring with its tubes spans this much beyond 1.5.
inline constexpr double kLongestHalfTube = 0.3;

// Where chime k of n hangs: at angle k / n x 6.28 on the ring, as the chime choice places it.
ModelPoint ChimePosition(int k, int n);

// Model to view: chime 0 at the top and the ring turning clockwise, centred and scaled to fit.
class ViewFrame {
public:
    // The ring, its tubes and a margin of `margin` pixels for labels, as large as fits in the
    // width x height area between `top` and `height - bottom`.
    static ViewFrame Fit(double width, double height, double top, double bottom, double margin);

    ViewPoint ToView(ModelPoint p) const { return {cx_ + p.x * scale_, cy_ - p.y * scale_}; }
    ModelPoint ToModel(ViewPoint p) const { return {(p.x - cx_) / scale_, (cy_ - p.y) / scale_}; }
    double scale() const { return scale_; }  // pixels per model unit
    ViewPoint center() const { return {cx_, cy_}; }

private:
    double cx_ = 0, cy_ = 0, scale_ = 1;
};

// A chime seen from above: a tube hanging radially, its length following its pitch (a tube's
// length goes with one over the square root of its frequency), the lowest note the longest.
struct Tube {
    ModelPoint center;
    ModelPoint axis;  // unit vector pointing away from the ring's centre
    double halfLength = 0;
    double halfWidth = 0;
    int note = kNoNote;
};

struct ChimeRing {
    int count = 0;
    std::array<Tube, kMaxChimes> tubes{};
};

// The ring of the first `count` chimes (1..77) with these notes (kNoNote for an empty one).
ChimeRing LayOutRing(const std::array<int, kChimeSlots>& notes, int count);

// Whether note labels `labelWidth` pixels wide fit side by side round the ring.
bool LabelsFit(const ViewFrame& frame, int count, double labelWidth);
// Where chime k's label goes: just outside its tube.
ModelPoint LabelPosition(const ChimeRing& ring, int k, double gap);

// A press in the view: the chime under it and the velocity, louder nearer the tube's centre
// (38..99, as on the chime picture). `slop` pixels around a tube still count, so thin tubes can
// be hit.
struct ChimeHit {
    int chime = -1;
    int velocity = 0;
    bool hit() const { return chime >= 0; }
};
ChimeHit HitChime(const ChimeRing& ring, const ViewFrame& frame, ViewPoint at, double slop);

// The pendulum at tick `now`, following the swing from its last update at the rate of its
// phases; as the chime choice sees it, never outside the ring.
ModelPoint PendulumAt(const SwingState& swing, uint32_t now);

}  // namespace tinsori
