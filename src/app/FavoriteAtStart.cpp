#include "app/FavoriteAtStart.h"

#include "player/Player.h"
#include "settings/Favorites.h"
#include "store/ProfileStore.h"

namespace tinsori {

void ApplyFavoriteAtStart(const CommandLine& line, Player& player, ProfileStore& store,
                          std::ostream& err) {
    if (!line.favorite) return;
    // Checked before the start, but another running copy may have removed it since.
    const auto name = FindFavoriteName(store, *line.favorite);
    if (!name) {
        err << "tinsori: the favorite '" << *line.favorite << "' is no longer stored\n";
        return;
    }
    ApplyFavorite(player.favorites(), *name);
    player.favorites().view.SelectFavorite(*name);
}

}  // namespace tinsori
