#pragma once

namespace tinsori {

struct ChimeSettings;
class ScaleTable;
class ProfileStore;
class MidiOut;
class WakeEvent;
class FavoritesView;

// Everything the favorites, the recent list and the presets work on, passed as one object.
struct FavoritesContext {
    ChimeSettings& settings;
    ScaleTable& scales;
    ProfileStore& store;
    const MidiOut& midi;
    WakeEvent& wakeEvent;
    FavoritesView& view;
};

}  // namespace tinsori
