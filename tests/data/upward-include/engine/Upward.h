#pragma once

// A fixture for the layer check: the engine must not see the player.
#include "player/Player.h"
