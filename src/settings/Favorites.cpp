#include "settings/Favorites.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "engine/WindDrive.h"
#include "midi/MidiOut.h"
#include "model/ChimeSettings.h"
#include "music/ChimeNoteSet.h"
#include "music/ScaleTable.h"
#include "platform/AsciiCase.h"
#include "platform/Texts.h"
#include "platform/WakeEvent.h"
#include "settings/FavoriteLine.h"
#include "settings/FavoritesView.h"
#include "settings/RecentFavorites.h"
#include "settings/SliderPositions.h"
#include "settings/StringTable.h"
#include "store/ProfileStore.h"
#include "store/SplitField.h"

namespace tinsori {

namespace {

constexpr std::string_view kSection = "Favorites";
constexpr std::string_view kLastValue = "Last";
// What could not be stored.
constexpr const char* kFavoriteText = kTextFavoriteNotSaved;
constexpr const char* kRemovalText = kTextFavoriteNotRemoved;
constexpr const char* kRecentText = kTextRecentNotUpdated;
// Names a scale that a favorite or command line brings along.
constexpr std::string_view kScaleForName = "Scale for %s";

std::string Text(StringId id) {
    return LoadResString(id);
}

std::string SlotName(int index) {
    return "Favorite" + std::to_string(index);
}

std::string ReadSlot(ProfileStore& store, int index) {
    std::string line;
    store.ReadString(kSection, SlotName(index), line, kFavoriteLineBytes);
    return line;
}

int ReadLast(ProfileStore& store) {
    return store.ReadInt(kSection, kLastValue, 0);
}

// Scans cover 1 .. "Last" + 1, held inside the slots that exist.
int ScanEnd(ProfileStore& store) {
    return std::clamp(ReadLast(store), 0, kFavoriteSlots - 1) + 1;
}

// One stored line taken apart: the stored name and the values part.
struct StoredFavorite {
    int index = -1;
    std::string name;
    std::string values;
};

StoredFavorite SplitLine(int index, std::string line) {
    std::string name = SplitField(line);
    return {index, std::move(name), std::move(line)};
}

std::optional<StoredFavorite> FindByStoredName(ProfileStore& store, const std::string& storedName) {
    for (int i = 1, end = ScanEnd(store); i <= end; ++i) {
        std::string line = ReadSlot(store, i);
        if (line.empty()) continue;
        StoredFavorite favorite = SplitLine(i, std::move(line));
        if (favorite.name == storedName) return favorite;
    }
    return std::nullopt;
}

// Where a save goes: the slot holding the name, else the first empty one.
struct SaveTarget {
    std::optional<int> match;
    std::optional<int> firstEmpty;
};

SaveTarget ScanForSave(ProfileStore& store, const std::string& storedName) {
    SaveTarget target;
    for (int i = 1, end = ScanEnd(store); i <= end; ++i) {
        std::string line = ReadSlot(store, i);
        if (line.empty()) {
            if (!target.firstEmpty && !SlotHoldsText(store, kSection, SlotName(i)))
                target.firstEmpty = i;
        } else if (SplitLine(i, std::move(line)).name == storedName) {
            target.match = i;
            return target;
        }
    }
    return target;
}

std::string Substitute(std::string_view format, std::string_view marker, std::string_view value) {
    std::string text(format);
    std::size_t at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), value);
    return text;
}

std::string ScaleNameFor(const std::string& name) {
    return CutToUtf16Units(Substitute(kScaleForName, "%s", name), kMaxScaleNameChars);
}

// The table index the line's scale resolves to, appending the scale when the line asks for it.
int ResolveScale(FavoritesContext& ctx, const std::string& name, const SettingsLineValues& v) {
    int index = v.scaleField;
    if (v.scale) {
        if (std::optional<int> found = ctx.scales.FindScale(*v.scale)) return *found;
        std::optional<int> id = ctx.scales.NextFreeScaleId();
        if (!id) {
            ctx.view.ShowMessage(Text(kStringOutOfScales), Text(kStringOutOfScalesCaption));
            index = 1;
        } else if (index == -1) {
            ScaleDef scale = *v.scale;
            scale.id = static_cast<int16_t>(*id);
            scale.name = ScaleNameFor(name);
            if (std::optional<int> appended = ctx.scales.AppendScale(scale)) {
                ctx.view.AppendScaleName(scale.name);
                return *appended;
            }
        }
    }
    // Field 5 is only a hint; anything that is not an entry of the table means the first scale.
    return index >= 0 && index < ctx.scales.count() ? index : 0;
}

void StoreValues(ChimeSettings& s, const SettingsLineValues& v, int scaleIndex) {
    s.instrument = v.instrument;
    s.holdNotes = s.holdFlags[v.instrument];
    s.numChimes = v.numChimes;
    s.baseNote = v.baseNote;
    s.scaleIndex = scaleIndex;
    s.transpose = v.transpose;
    s.configuration = v.configuration;
    s.shuffle = v.shuffle;
    s.pinkness = v.pinkness;
    s.constantWind = v.constantWind;
    ApplyStoredWind(s, v.wind);
    s.fractal = v.fractal;
    s.closeness = v.closeness;
}

// Said where the user is, each time: the list goes on showing what the profile holds.
void ShowNotStored(FavoritesContext& ctx, const char* what) {
    ctx.view.ShowMessage(TextCatalogue::Words(what), "Tinsori");
}

}  // namespace

void ApplySettingsLine(FavoritesContext& ctx, const std::string& name, const std::string& values) {
    ChimeSettings& s = ctx.settings;
    // 1. Notes held by the old instrument end before anything changes.
    if (s.holdNotes) ctx.midi.SweepNotesOff(s.channel);
    // 2. Take the fields, each brought into its range, and find the line's scale.
    SettingsLineValues v = ParseSettingsValues(values);
    StoreValues(s, v, ResolveScale(ctx, name, v));
    // 3. Bring the synthesizer, the note set and the view up to date.
    ctx.midi.SendProgramAndVolume();
    BaseNoteList baseNotes = FillBaseNoteList(s, ctx.scales, 0);
    ComputeChimeNotes(s, ctx.scales);
    std::string notesInUse = UpdateNotesInUse(s, ctx.midi);
    ctx.view.SettingsChanged(baseNotes, notesInUse, SliderPositionsOf(s));
    ctx.wakeEvent.signal();
    ctx.view.EnableSaveSettings(true);
    ctx.view.EnableRemove(true);
}

void ApplyFavorite(FavoritesContext& ctx, const std::string& displayName) {
    // The name enters the recent list even when no stored favorite has it.
    if (!UpdateRecentFavorites(ctx.store, displayName, kRecentLimit))
        ShowNotStored(ctx, kRecentText);
    std::optional<StoredFavorite> favorite =
        FindByStoredName(ctx.store, StoredFavoriteName(displayName));
    if (favorite) ApplySettingsLine(ctx, displayName, favorite->values);
}

std::vector<std::string> FavoriteNames(ProfileStore& store) {
    std::vector<std::string> names;
    for (FavoriteEntry& favorite : ListFavorites(store))
        names.push_back(std::move(favorite.displayName));
    return names;
}

std::optional<std::string> FindFavoriteName(ProfileStore& store, const std::string& name) {
    std::optional<std::string> found;
    for (const std::string& display : FavoriteNames(store)) {
        if (display == name) return display;
        if (!found && EqualsIgnoringCase(display, name)) found = display;
    }
    return found;
}

bool ApplyFavoriteNamed(FavoritesContext& ctx, const std::string& name) {
    const std::optional<std::string> found = FindFavoriteName(ctx.store, name);
    if (!found) return false;
    ApplyFavorite(ctx, *found);
    ctx.view.SelectFavorite(*found);
    return true;
}

int FindCurrentFavorite(FavoritesContext& ctx, std::string* displayName) {
    std::string values = FormatSettingsValues(ctx.settings, ctx.scales);
    int found = -1;
    for (FavoriteEntry& favorite : ListFavorites(ctx.store)) {
        if (favorite.values != values) continue;
        found = favorite.index;
        if (displayName) *displayName = std::move(favorite.displayName);
    }
    return found;
}

int FindSelectedFavorite(FavoritesContext& ctx) {
    std::optional<std::string> selected = ctx.view.SelectedFavorite();
    if (!selected) return -1;
    std::optional<StoredFavorite> favorite =
        FindByStoredName(ctx.store, StoredFavoriteName(*selected));
    return favorite ? favorite->index : -1;
}

std::vector<FavoriteEntry> ListFavorites(ProfileStore& store) {
    std::vector<FavoriteEntry> entries;
    for (int i = 1, end = ScanEnd(store); i <= end; ++i) {
        std::string line = ReadSlot(store, i);
        if (line.empty()) continue;
        StoredFavorite favorite = SplitLine(i, std::move(line));
        entries.push_back({i, DisplayFavoriteName(favorite.name), std::move(favorite.values)});
    }
    return entries;
}

bool SlotHoldsText(ProfileStore& store, std::string_view section, const std::string& valueName) {
    std::string text;
    store.ReadString(section, valueName, text, UINT32_MAX);
    return !text.empty();
}

bool RecoverLastIndex(ProfileStore& store, std::string_view section, std::string_view valuePrefix) {
    ProfileStore::Transaction transaction(store);
    if (store.ReadInt(section, kLastValue, 0) != 0) return transaction.Commit();
    int last = 0;
    for (int i = 0; i < kFavoriteSlots; ++i)
        if (SlotHoldsText(store, section, std::string(valuePrefix) + std::to_string(i))) last = i;
    store.WriteInt(section, kLastValue, last);
    return transaction.Commit();
}

void LoadFavoritesList(FavoritesContext& ctx) {
    std::string values = FormatSettingsValues(ctx.settings, ctx.scales);
    std::optional<std::string> current;
    for (const FavoriteEntry& favorite : ListFavorites(ctx.store)) {
        ctx.view.AddFavorite(favorite.displayName);
        if (favorite.values == values) current = favorite.displayName;
    }
    if (current) ctx.view.SelectFavorite(*current);
    ctx.view.EnableSaveSettings(current.has_value());
    ctx.view.EnableRemove(current.has_value());
}

void OnSaveSettings(FavoritesContext& ctx) {
    // A name of spaces alone is empty once they are removed, and saved no more than an empty one.
    std::string displayName = FavoriteNameFromEdit(ctx.view.FavoritesEditText());
    if (displayName.empty()) return;
    std::string storedName = StoredFavoriteName(displayName);

    // The question waits for a person, so it is asked before the store is locked.
    if (ScanForSave(ctx.store, storedName).match &&
        !ctx.view.AskYesNo(Substitute(Text(kStringReplaceFavorite), "%s", displayName),
                           Text(kStringReplaceFavoriteCaption)))
        return;

    std::optional<int> target;
    bool isNew = false;
    bool stored = true;
    {
        ProfileStore::Transaction transaction(ctx.store);
        SaveTarget scan = ScanForSave(ctx.store, storedName);
        isNew = !scan.match;
        target = scan.match ? scan.match : scan.firstEmpty;
        if (target) {
            std::string line = storedName + "," + FormatSettingsValues(ctx.settings, ctx.scales);
            stored = ctx.store.WriteString(kSection, SlotName(*target), &line) &&
                     (*target <= ReadLast(ctx.store) ||
                      ctx.store.WriteInt(kSection, kLastValue, *target));
        }
        stored = stored ? transaction.Commit() : (transaction.Rollback(), false);
    }
    // The list shows what the profile holds: a favorite it did not take is not added.
    if (!stored) return ShowNotStored(ctx, kFavoriteText);
    if (!target) {
        ctx.view.ShowMessage(
            Substitute(Text(kStringFavoritesFull), "%ld", std::to_string(kFavoriteSlots)),
            Text(kStringFavoritesFullCaption));
        return;
    }
    if (isNew) {
        ctx.view.AddFavorite(displayName);
        ctx.view.SelectFavorite(displayName);
        if (!UpdateRecentFavorites(ctx.store, displayName, kRecentLimit))
            ShowNotStored(ctx, kRecentText);
    }
    ctx.view.EnableRemove(ctx.view.SelectedFavorite().has_value());
}

void OnRemoveFavorite(FavoritesContext& ctx) {
    std::optional<std::string> displayName = ctx.view.SelectedFavorite();
    if (!displayName || FindSelectedFavorite(ctx) < 0) return;
    if (!ctx.view.AskYesNo(Substitute(Text(kStringRemoveFavorite), "%s", *displayName),
                           Text(kStringRemoveFavoriteCaption)))
        return;
    bool removed = true;
    {
        // Looked up again under the lock: another copy may have moved it while we asked.
        ProfileStore::Transaction transaction(ctx.store);
        if (auto favorite = FindByStoredName(ctx.store, StoredFavoriteName(*displayName)))
            removed = ctx.store.WriteString(kSection, SlotName(favorite->index), nullptr);
        removed = removed ? transaction.Commit() : (transaction.Rollback(), false);
    }
    if (!removed) return ShowNotStored(ctx, kRemovalText);
    ctx.view.DeleteFavorite(*displayName);
    ctx.view.ClearFavoriteSelection();
    if (!UpdateRecentFavorites(ctx.store, *displayName, kRecentRemove))
        ShowNotStored(ctx, kRecentText);
    // The buttons follow the emptied name field, as at start-up without a favorite.
    ctx.view.EnableSaveSettings(!ctx.view.FavoritesEditText().empty());
    ctx.view.EnableRemove(false);
}

void OnFavoritesEditChange(FavoritesContext& ctx) {
    ctx.view.EnableSaveSettings(!ctx.view.FavoritesEditText().empty());
    // A typed name is not a selection.
    ctx.view.EnableRemove(false);
}

void OnFavoritesSelEndOk(FavoritesContext& ctx) {
    ctx.view.EnableSaveSettings(!ctx.view.FavoritesEditText().empty());
    ctx.view.EnableRemove(ctx.view.SelectedFavorite().has_value());
}

void OnFavoritesSelChange(FavoritesContext& ctx) {
    if (std::optional<std::string> selected = ctx.view.SelectedFavorite())
        ApplyFavorite(ctx, *selected);
}

void OnRecentFavoriteCommand(FavoritesContext& ctx, int commandId) {
    int index = commandId - kRecentFirstCommand;
    if (index < 0 || index >= kRecentLimit) return;
    std::string name = ReadRecentFavorite(ctx.store, index);
    if (name.empty()) return;
    ApplyFavorite(ctx, name);
    std::string current;
    if (FindCurrentFavorite(ctx, &current) >= 0) ctx.view.SelectFavorite(current);
}

}  // namespace tinsori
