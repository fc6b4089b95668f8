#include "player/LiveViewGeometry.h"

#include <algorithm>
#include <cmath>

#include "midi/MidiOut.h"

namespace tinsori {

namespace {

constexpr double kPi = 3.14159265358979;
// The ring, its longest tubes and a little room for their sway.
constexpr double kExtent = kRingRadius + kLongestHalfTube + 0.1;
constexpr double kWidestHalfTube = 0.07;
// The shortest tube is drawn at least this share of the longest, so that it stays visible.
constexpr double kShortestShare = 0.3;
constexpr int kLoudestHandVelocity = 99;
constexpr int kHandVelocitySpan = 61;

bool Playable(int note) {
    return note >= kLowestNote && note <= kHighestNote;
}

// Distance between neighbouring chimes on the ring, in model units.
double Spacing(int count) {
    return count <= 2 ? 2 * kRingRadius : 2 * kRingRadius * std::sin(kPi / count);
}

}  // namespace

ModelPoint ChimePosition(int k, int n) {
    double angle = static_cast<double>(k) / n * 6.28;
    return {kRingRadius * std::sin(angle), kRingRadius * std::cos(angle)};
}

ViewFrame ViewFrame::Fit(double width, double height, double top, double bottom, double margin) {
    const double w = width - 2 * margin;
    const double h = height - top - bottom - 2 * margin;
    ViewFrame frame;
    frame.scale_ = std::max(1.0, std::min(w, h) / (2 * kExtent));
    frame.cx_ = width / 2;
    frame.cy_ = top + margin + std::max(0.0, h) / 2;
    return frame;
}

ChimeRing LayOutRing(const std::array<int, kChimeSlots>& notes, int count) {
    ChimeRing ring;
    ring.count = std::clamp(count, 1, kMaxChimes);
    int lowest = kHighestNote;
    for (int k = 0; k < ring.count; ++k)
        if (Playable(notes[k])) lowest = std::min(lowest, notes[k]);
    const double halfWidth = std::min(kWidestHalfTube, Spacing(ring.count) * 0.4);
    for (int k = 0; k < ring.count; ++k) {
        Tube& tube = ring.tubes[k];
        tube.note = notes[k];
        tube.center = ChimePosition(k, ring.count);
        tube.axis = {tube.center.x / kRingRadius, tube.center.y / kRingRadius};
        const double share =
            Playable(tube.note) ? std::pow(2.0, (lowest - tube.note) / 24.0) : kShortestShare;
        tube.halfLength = std::max(halfWidth, kLongestHalfTube * std::max(kShortestShare, share));
        tube.halfWidth = halfWidth;
    }
    return ring;
}

bool LabelsFit(const ViewFrame& frame, int count, double labelWidth) {
    if (count <= 1) return true;
    const double radius = kRingRadius + kLongestHalfTube;
    return 2 * kPi * radius / count * frame.scale() >= labelWidth;
}

ModelPoint LabelPosition(const ChimeRing& ring, int k, double gap) {
    const Tube& tube = ring.tubes[k];
    const double out = tube.halfLength + gap;
    return {tube.center.x + tube.axis.x * out, tube.center.y + tube.axis.y * out};
}

ChimeHit HitChime(const ChimeRing& ring, const ViewFrame& frame, ViewPoint at, double slop) {
    const ModelPoint p = frame.ToModel(at);
    const double margin = slop / frame.scale();
    ChimeHit best;
    double bestDistance = 0;
    for (int k = 0; k < ring.count; ++k) {
        const Tube& tube = ring.tubes[k];
        const double rx = p.x - tube.center.x, ry = p.y - tube.center.y;
        const double along = rx * tube.axis.x + ry * tube.axis.y;
        const double across = rx * tube.axis.y - ry * tube.axis.x;
        // The tube is a capsule: a segment with round ends of its half width.
        const double reach = tube.halfLength - tube.halfWidth;
        const double distance = std::hypot(along - std::clamp(along, -reach, reach), across);
        if (distance > tube.halfWidth + margin) continue;
        if (best.hit() && distance >= bestDistance) continue;
        const double depth = std::min(1.0, std::hypot(rx, ry) / (tube.halfLength + margin));
        best = {k, kLoudestHandVelocity - static_cast<int>(depth * kHandVelocitySpan)};
        bestDistance = distance;
    }
    return best;
}

ModelPoint PendulumAt(const SwingState& swing, uint32_t now) {
    // Signed: a snapshot taken a moment after `now` was read must not look 49 days old.
    const double dt = static_cast<int32_t>(now - swing.clock) / 1000.0;
    auto phase = [dt](double start, double period) {
        return period > 0 ? start + dt * 6.28 / period : start;
    };
    const double a = std::sin(phase(swing.phaseA, swing.periodA)) * swing.drive;
    const double b = std::sin(phase(swing.phaseB, swing.periodB)) * swing.crossAmplitude;
    ModelPoint p{std::cos(swing.angle) * a - std::sin(swing.angle) * b,
                 std::sin(swing.angle) * a + std::cos(swing.angle) * b};
    const double sum = p.x * p.x + p.y * p.y;
    if (sum > kRingRadius * kRingRadius) {
        const double scale = kRingRadius / std::sqrt(sum);
        p = {p.x * scale, p.y * scale};
    }
    return p;
}

}  // namespace tinsori
