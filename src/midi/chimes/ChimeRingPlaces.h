#pragma once

#include <atomic>

#include "model/ChimeSettings.h"

namespace tinsori {

// Where each chime hangs in the ring, from the live settings, as the chime choice places them:
// chime k of n at angle k / n x 6.28, the first in front of the listener, turning clockwise.
class ChimeRingPlaces {
public:
    // The settings to read the ring from; null: every chime in the middle. They must outlive
    // the attachment.
    void attach(const SharedChimeSettings* settings) {
        settings_.store(settings, std::memory_order_release);
    }
    // Left -1 to right 1 of the first chime that plays `note`; 0 when none does.
    double pan(int note) const;

private:
    std::atomic<const SharedChimeSettings*> settings_{nullptr};
};

}  // namespace tinsori
