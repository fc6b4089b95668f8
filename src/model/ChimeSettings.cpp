#include "model/ChimeSettings.h"

namespace tinsori {

ChimeSettings::ChimeSettings(Random& uiRandom) : windPink(uiRandom) {
    for (auto& note : chimeNotes) note.store(kNoNote, std::memory_order_relaxed);
    holdFlags.fill(1);
}

}  // namespace tinsori
