#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/FavoritesContext.h"

namespace tinsori {

class ProfileStore;

// Favorite slots are "Favorite1".."Favorite128"; scans never go past the last one, whatever a
// damaged "Last" says.
inline constexpr int kFavoriteSlots = 128;

// Applies a values part to the settings and brings MIDI, the note set and the view up to date.
// `name` only names a scale the line asks to create ("Scale for %s").
void ApplySettingsLine(FavoritesContext& ctx, const std::string& name, const std::string& values);

// Records the name in the recent list, then applies the stored favorite of that name, if any.
void ApplyFavorite(FavoritesContext& ctx, const std::string& displayName);

// The display names of the stored favorites, in slot order, as the Favorites list shows them.
std::vector<std::string> FavoriteNames(ProfileStore& store);

// The display name of the stored favorite that `name` finds as the Favorites list finds an entry:
// ignoring case, an exact match first. Nothing when there is none.
std::optional<std::string> FindFavoriteName(ProfileStore& store, const std::string& name);

// Applies the stored favorite that `name` finds (see FindFavoriteName) as choosing it in the
// Favorites list would, and selects it there; false when none is stored under that name.
bool ApplyFavoriteNamed(FavoritesContext& ctx, const std::string& name);

// Index of the stored favorite whose values part equals the current settings (the highest
// when several do), or -1; `displayName` receives its name when given.
int FindCurrentFavorite(FavoritesContext& ctx, std::string* displayName = nullptr);

// One stored favorite as the Favorites list shows it.
struct FavoriteEntry {
    int index = -1;
    std::string displayName;
    std::string values;
};

// Every favorite the Favorites list shows, in slot order.
std::vector<FavoriteEntry> ListFavorites(ProfileStore& store);

// Index of the stored favorite named by the list's selected entry, or -1.
int FindSelectedFavorite(FavoritesContext& ctx);

// Whether the value holds any text, however long. A line too long to read back is neither
// listed nor applied, but its slot is not free: a save or an install never writes over it.
bool SlotHoldsText(ProfileStore& store, std::string_view section, const std::string& valueName);

// Repairs a "Last" counter that reads 0 from the values "<format>0".."<format>127" (format
// "Favorite" or "Pattern"). False when the profile did not take the repair.
bool RecoverLastIndex(ProfileStore& store, std::string_view section, std::string_view valuePrefix);

// Fills the Favorites list at start-up and selects the favorite matching the settings.
void LoadFavoritesList(FavoritesContext& ctx);

// Handlers of the Favorites list, its two buttons and the recent entries of the tray menu.
void OnSaveSettings(FavoritesContext& ctx);
void OnRemoveFavorite(FavoritesContext& ctx);
void OnFavoritesEditChange(FavoritesContext& ctx);
void OnFavoritesSelEndOk(FavoritesContext& ctx);
void OnFavoritesSelChange(FavoritesContext& ctx);
void OnRecentFavoriteCommand(FavoritesContext& ctx, int commandId);

}  // namespace tinsori
