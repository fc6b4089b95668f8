#include "engine/ChimeSelector.h"

#include <cmath>

#include "engine/LiveReads.h"
#include "engine/TwoPi.h"
#include "midi/MidiOut.h"

namespace tinsori {

namespace {

// Braced initialisation runs left to right, so the generators draw in index order.
template <std::size_t... I>
std::array<CPink, kModelSlots> MakeChimePinks(Random& random, std::index_sequence<I...>) {
    return {{((void)I, CPink(random))...}};
}

bool Playable(int note) {
    return note >= kLowestNote && note <= kHighestNote;
}

}  // namespace

ChimeSelector::ChimeSelector(Random& random, SimulationSettings settings, const ScaleTable& scales,
                             const ModelValues& shared, CPink& placePink)
    : random_(random),
      settings_(settings.shared),
      energy_(settings.chimeEnergy),
      scales_(scales),
      shared_(shared),
      placePink_(placePink),
      chimePink_(MakeChimePinks(random, std::make_index_sequence<kModelSlots>{})) {}

void ChimeSelector::Start() {
    pendulumProximity_.fill(1.0);
    chimeSusceptibility_.fill(1.0);
    chordRow_ = 0;
    chordCountdown_ = 0;
    PullChordWeights(0, 0.05);
    for (CPink& pink : chimePink_) pink.SetRange(-14000, 14000, 25000);
}

int ChimeSelector::ChooseChime(uint32_t wait, double pendulumX, double pendulumY) {
    int n = settings_.chimeCount();
    int cfg = ConfigurationNow(settings_);
    // 1. Keep the pendulum point inside the ring.
    double sum = pendulumX * pendulumX + pendulumY * pendulumY;
    if (sum > 2.25) {
        double scale = 1.5 / std::sqrt(sum);
        pendulumX *= scale;
        pendulumY *= scale;
    }
    // 2. Nearness to the pendulum.
    if (PendulumAtCenter(cfg)) UpdateProximity(pendulumX, pendulumY, n);
    // 3. One drop of energy per started 40 ms of the wait.
    int pick = 0;
    for (uint32_t drops = wait / 40 + 1; drops > 0; --drops) pick = InjectEnergy();
    // 4. Draw a chime by weight.
    pick = DrawByWeight(pick, n);
    // 5. Move the chord progression on.
    if (chordCountdown_ == 0) {
        chordCountdown_ = random_.mod(65) + 15;
        chordRow_ = random_.mod(3);
    }
    --chordCountdown_;
    PullChordWeights(chordRow_, 0.1);
    // 6. Energy moves on after the choice.
    MoveEnergy(pick, n);
    return pick;
}

void ChimeSelector::UpdateProximity(double x, double y, int n) {
    for (int k = 0; k < n; ++k) {
        double angle = static_cast<double>(k) / n * kTwoPiRough;
        double dx = x - 1.5 * std::sin(angle);
        double dy = y - 1.5 * std::cos(angle);
        double d = std::sqrt(dx * dx + dy * dy);
        pendulumProximity_[k] = std::pow(6 / (d + 0.5), shared_.proximityExponent);
    }
}

int ChimeSelector::InjectEnergy() {
    int n = settings_.chimeCount();
    double pinkness = PinknessNow(settings_);
    int p = ClampInt(placePink_.Next(), 0, 999);
    double spot = (1 - pinkness) * (n * p) + pinkness * (n * random_.mod(1000));
    int k = ClampInt(Trunc(spot / 1001), 0, n - 1);
    energy_[k].store(EnergyOf(energy_, k) + random_.mod(100), std::memory_order_relaxed);
    return k;
}

int ChimeSelector::DrawByWeight(int fallback, int n) {
    bool fractal = FlagSet(settings_.fractal);
    bool near = PendulumAtCenter(ConfigurationNow(settings_));
    std::array<double, kModelSlots> weight{};
    double total = 0;
    for (int k = 0; k < n; ++k) {
        weight[k] = EnergyOf(energy_, k);
        if (fractal) weight[k] *= std::pow(chimeSusceptibility_[k], 12);
        if (near) weight[k] *= pendulumProximity_[k];
        total += weight[k];
    }
    double target = random_.mod(10000) * total / 10000;
    double running = 0;
    for (int k = 0; k < n; ++k) {
        running += weight[k];
        if (running > target) return k;
    }
    return fallback;
}

void ChimeSelector::PullChordWeights(int row, double rate) {
    int degrees = scales_.NumNotesFor(settings_.scaleIndex.load(std::memory_order_relaxed));
    degrees = ClampInt(degrees, 1, kChordDegrees);
    for (int i = 0; i < kModelSlots; ++i) {
        chordWeight_[i] += (ChordMasks[row][i % degrees] - chordWeight_[i]) * rate;
    }
}

void ChimeSelector::MoveEnergy(int pick, int n) {
    int cfg = ConfigurationNow(settings_);
    if (PendulumInPlay(cfg)) {
        // The struck chime rests; its neighbours and one other chime become likely.
        ScaleEnergy(energy_, pick, 0.15);
        if (n > 3) {
            ScaleEnergy(energy_, (pick + 1) % n, 2.2);
            ScaleEnergy(energy_, (pick + n - 1) % n, 2.2);
        }
        if (n > 5) {
            ScaleEnergy(energy_, (pick + 2) % n, 1.2);
            ScaleEnergy(energy_, (pick + n - 2) % n, 1.2);
        }
        if (n > 2) ScaleEnergy(energy_, (pick + 1 + random_.mod(n - 1)) % n, 1.35);
    } else if (WithoutPendulum(cfg)) {
        for (int k = 0; k < n; ++k) ScaleEnergy(energy_, k, 0.92);
        if (cfg == kAllIndependent && FlagSet(settings_.fractal)) ScaleEnergy(energy_, pick, 0.07);
    }
}

bool ChimeSelector::ChordAllows(int k) {
    int draw = random_.mod(1000);
    return draw < Trunc(chordWeight_[ClampInt(k, 0, kModelSlots - 1)] * 1000);
}

int ChimeSelector::KnockNeighbour(int struck, int velocity, const MidiOut& midi) {
    int n = settings_.chimeCount();
    struck = ClampInt(struck, 0, kMaxChimes - 1);
    int right = (struck + 1) % n;
    int left = (struck + n - 1) % n;
    int right2 = (struck + 2) % n;
    int left2 = (struck + n - 2) % n;
    ScaleEnergy(energy_, struck, 0.8);
    int knocked, other;
    if (random_.next() % 2 == 0) {
        bool far = random_.mod(100) < 35;
        knocked = far ? right2 : right;
        other = far ? right : left;
    } else {
        bool far = random_.mod(100) < 35;
        knocked = far ? left2 : left;
        other = far ? left : right;
    }
    int note = settings_.chimeNotes[knocked].load(std::memory_order_relaxed);
    bool sounds = Playable(note) && (!FlagSet(settings_.chords) || ChordAllows(knocked));
    if (sounds) midi.StrikeNote(note, velocity);
    ScaleEnergy(energy_, other, 1.4);
    ScaleEnergy(energy_, knocked, 0.6);
    return sounds ? knocked : -1;
}

void ChimeSelector::StirSusceptibility() {
    int n = settings_.chimeCount();
    auto& s = chimeSusceptibility_;
    for (int k = 0; k < n; k += 2) s[k] = (s[k] - 1) * 0.99 + 1;
    for (int start : {0, 1}) {
        for (int k = start; k < n; k += 2) {
            double left = s[(n + k - 1) % n];
            double right = s[(n + k + 1) % n];
            double x = chimePink_[k].Next();
            s[k] = s[k] + (((x / 5000 + 1) * 3 + (left + s[k] + right)) / 6 - s[k]) * 0.1;
            if (s[k] < 0.05) s[k] = 0.05;
        }
    }
}

}  // namespace tinsori
