#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Pink.h"
#include "model/Random.h"
#include "music/ScaleTable.h"

namespace tinsori {

class MidiOut;

inline constexpr int kChordDegrees = 21;

// Three chords over 21 scale degrees (1 = chord tone); a chime's degree is its index modulo the
// scale's note count. For seven-note scales: the triads on the first, fourth and fifth notes.
inline constexpr std::array<std::array<uint8_t, kChordDegrees>, 3> ChordMasks{{
    {1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1},
    {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1},
    {0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1},
}};

// Decides which chime strikes: wind energy dropped along the row, weighted by the pendulum's
// nearness and the fractal susceptibilities, one chime drawn by weight, energy moved on after the
// choice; plus the chord progression that thins strikes and the neighbour knock.
class ChimeSelector {
public:
    // Constructing draws once per chime generator (113), in the thread's start order. The
    // placement generator is the thread's, constructed before this.
    ChimeSelector(Random& random, SimulationSettings settings, const ScaleTable& scales,
                  const ModelValues& shared, CPink& placePink);

    // Thread start: nearness and susceptibility 1.0, the chord weights pulled 5% toward chord 0,
    // every chime generator ranged.
    void Start();

    // The chime to strike after a planned wait of `wait` ms, with the pendulum at (x, y).
    int ChooseChime(uint32_t wait, double pendulumX, double pendulumY);
    // Whether chime k may sound under the current chord; draws once.
    bool ChordAllows(int k);
    // A struck chime knocks a neighbour, which sounds with the same velocity. Returns the
    // knocked chime when it sounded, else -1.
    int KnockNeighbour(int struck, int velocity, const MidiOut& midi);
    // Lets the fractal susceptibilities wander in correlated patches along the ring.
    void StirSusceptibility();

    // One drop of wind energy; returns the chime that received it.
    int InjectEnergy();

    double chordWeight(int i) const { return chordWeight_[i]; }
    double susceptibility(int i) const { return chimeSusceptibility_[i]; }
    int chordRow() const { return chordRow_; }

private:
    void UpdateProximity(double x, double y, int n);
    int DrawByWeight(int fallback, int n);
    void PullChordWeights(int row, double rate);
    void MoveEnergy(int pick, int n);

    Random& random_;
    const SharedChimeSettings& settings_;
    ChimeEnergy& energy_;
    const ScaleTable& scales_;
    const ModelValues& shared_;
    CPink& placePink_;
    std::array<CPink, kModelSlots> chimePink_;
    std::array<double, kModelSlots> pendulumProximity_{};
    std::array<double, kModelSlots> chimeSusceptibility_{};
    std::array<double, kModelSlots> chordWeight_{};
    int chordRow_ = 0;
    int chordCountdown_ = 0;
};

}  // namespace tinsori
