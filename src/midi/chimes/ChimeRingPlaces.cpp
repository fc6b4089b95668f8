#include "midi/chimes/ChimeRingPlaces.h"

#include <cmath>

namespace tinsori {

double ChimeRingPlaces::pan(int note) const {
    const SharedChimeSettings* settings = settings_.load(std::memory_order_acquire);
    if (!settings) return 0.0;
    const int count = settings->chimeCount();
    for (int k = 0; k < count; ++k) {
        if (settings->chimeNotes[k].load(std::memory_order_relaxed) != note) continue;
        return std::sin(static_cast<double>(k) / count * 6.28);
    }
    return 0.0;
}

}  // namespace tinsori
