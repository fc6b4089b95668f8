// Feeds arbitrary bytes to everything that reads a favorite line: the field splitter, the
// values-part parser with its scale resolution, the command line, and a stored favorite with
// its recent-list entry. After each input every live setting must lie in its range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "model/ChimeSettings.h"
#include "model/Random.h"
#include "music/ScaleTable.h"
#include "platform/AutoResetEvent.h"
#include "settings/BuiltInPresets.h"
#include "settings/FavoriteLine.h"
#include "settings/Favorites.h"
#include "settings/FavoritesView.h"
#include "settings/RecentFavorites.h"
#include "store/ProfileStore.h"
#include "store/SplitField.h"

namespace {

using namespace tinsori;

void Require(bool condition) {
    if (!condition) abort();
}

void CheckInRange(const ChimeSettings& s, const ScaleTable& scales) {
    Require(s.instrument >= 0 && s.instrument <= 127);
    Require(s.numChimes >= 1 && s.numChimes <= kMaxChimes);
    Require(s.scaleIndex >= 0 && s.scaleIndex < scales.count());
    Require(s.transpose >= -12 && s.transpose <= 12);
    Require(s.windNow >= 2 && s.windNow <= 940 && s.windSpeed >= 2 && s.windSpeed <= 940);
    Require(s.pinkness >= 0.0 && s.pinkness <= 1.0);
    Require(s.closeness >= 0.1 && s.closeness <= 3.2);
    int c = s.configuration;
    Require(c == 1 || c == 2 || c == 4 || c == 8);
    for (int i = 0; i < s.chimeCount(); ++i) {
        int note = s.chimeNotes[i];
        Require(note == kNoNote || (note >= 12 && note <= 119));
    }
}

// Everything one input runs against: fresh settings and scales, no MIDI device.
struct World {
    Random random{1};
    ChimeSettings settings{random};
    ScaleTable scales;
    MidiHandle handle;
    AutoResetEvent wake;
    MidiOut midi{settings, handle, wake};
    NullFavoritesView view;
    FavoritesContext ctx;

    explicit World(ProfileStore& store) : ctx{settings, scales, store, midi, wake, view} {
        scales.LoadBuiltIns();
    }
};

ProfileStore& Store() {
    static std::unique_ptr<ProfileStore> store =
        ProfileStore::OpenInMemoryCopy("/nonexistent/tinsori-fuzz.db");
    return *store;
}

void SplitAll(std::string line) {
    std::size_t guard = line.size() + 1;
    while (!line.empty() && guard-- > 0) FieldToInt(SplitField(line));
    Require(line.empty());
}

void StoredFavorite(World& world, const std::string& text) {
    ProfileStore& store = world.ctx.store;
    store.DeleteSection("Favorites");
    store.DeleteSection("MRU Favorites");
    store.WriteString("Favorites", "Favorite1", &text);
    store.WriteInt("Favorites", "Last", 1);
    LoadFavoritesList(world.ctx);
    std::string line = text;
    std::string name = DisplayFavoriteName(SplitField(line));
    UpdateRecentFavorites(store, name, kRecentLimit);
    OnRecentFavoriteCommand(world.ctx, kRecentFirstCommand);
    FindCurrentFavorite(world.ctx, &name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    SplitAll(text);
    {
        World world(Store());
        ApplySettingsLine(world.ctx, "Fuzz", text);
        CheckInRange(world.settings, world.scales);
        Require(ParseSettingsValues(FormatSettingsValues(world.settings, world.scales)).wind ==
                world.settings.windSpeed);
    }
    {
        World world(Store());
        ApplyCommandLineSettings(world.ctx, text);
        CheckInRange(world.settings, world.scales);
    }
    {
        World world(Store());
        StoredFavorite(world, text);
        CheckInRange(world.settings, world.scales);
    }
    return 0;
}
