#pragma once

#include <ostream>

#include "app/CommandLine.h"

namespace tinsori {

class Player;

// --favorite NAME: once the player has started, applies the stored favorite that NAME finds, as
// choosing it in the Favorites list would.
void ApplyFavoriteAtStart(const CommandLine& line, Player& player, std::ostream& err);

}  // namespace tinsori
