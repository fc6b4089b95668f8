#include "app/StartChecks.h"

#include <sstream>

#include "app/OutputPaths.h"
#include "app/ProfileCommands.h"
#include "midi/backends/OutputFactory.h"
#include "settings/Favorites.h"

namespace tinsori {

bool CheckBeforeStart(const CommandLine& line, std::string& error) {
    if (!CheckOutputsApart(line, error) ||
        !line.CheckEnvironment(ListOutputs, ListAudioDrivers, error) ||
        !CheckNamedProfile(line, error))
        return false;
    if (!line.favorite) return true;
    // A profile that cannot be read is the run's own failure to report, not the user's mistake.
    std::ostringstream ignored;
    auto favorites = StartUpFavorites(line, ignored);
    if (favorites && !FindFavoriteName(*favorites, *line.favorite)) {
        error = "no favorite named '" + *line.favorite + "' (see --list-favorites)";
        return false;
    }
    return true;
}

}  // namespace tinsori
