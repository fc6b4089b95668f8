#include "app/InformationCommands.h"

#include "ProgramVersion.h"

#include "app/ProfileCommands.h"
#include "app/Program.h"
#include "midi/backends/FluidSynthEngine.h"
#include "midi/backends/OutputFactory.h"
#include "settings/Favorites.h"

namespace tinsori {

int PrintInformation(const CommandLine& line, std::ostream& out) {
    switch (line.mode) {
        case RunMode::Version:
            out << "tinsori " << TINSORI_VERSION << "\n";
            return kExitOk;
        case RunMode::Help: {
            const std::string soundfont =
                FluidSynthEngine::findSoundfont(line.soundfont.value_or(""), nullptr);
            out << CommandLine::HelpText(ProfilePath(line), soundfont);
            return kExitOk;
        }
        case RunMode::ListOutputs:
            for (const OutputListing& output : ListOutputs()) out << output.name << "\n";
            return kExitOk;
        case RunMode::ListAudioDrivers:
            for (const std::string& name : ListAudioDrivers()) out << name << "\n";
            return kExitOk;
        default:
            return -1;
    }
}

int ListFavorites(const CommandLine& line, std::ostream& out, std::ostream& err) {
    auto favorites = StartUpFavorites(line, err);
    if (!favorites) return kExitFailure;
    for (const std::string& name : FavoriteNames(*favorites)) out << name << "\n";
    return kExitOk;
}

}  // namespace tinsori
