#include "app/FavoriteAtStart.h"

#include "player/Player.h"
#include "settings/Favorites.h"

namespace tinsori {

void ApplyFavoriteAtStart(const CommandLine& line, Player& player, std::ostream& err) {
    // Checked before the start, but another running copy may have removed it since.
    if (line.favorite && !ApplyFavoriteNamed(player.favorites(), *line.favorite))
        err << "tinsori: the favorite '" << *line.favorite << "' is no longer stored\n";
}

}  // namespace tinsori
