#pragma once

#include "model/ChimeSettings.h"
#include "model/ModelValues.h"
#include "model/Random.h"

namespace tinsori::testing_support {

// What every part of the simulation's model is built on: the thread's generator, the live
// settings (constructed from the UI thread's generator) and the values the parts share.
struct ModelRig {
    Random random;
    Random uiRandom;
    ChimeSettings settings{uiRandom};
    ModelValues shared;
};

}  // namespace tinsori::testing_support
