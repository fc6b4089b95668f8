#pragma once

#include <optional>
#include <string>

#include "music/ChimeNoteSet.h"
#include "settings/SliderPositions.h"

namespace tinsori {

// What the favorites code shows and asks. The Qt dialog implements it with the Favorites combo
// box (sorted, with an edit field), the two buttons and message boxes; the headless player and
// tests implement it with plain data.
class FavoritesView {
public:
    virtual ~FavoritesView() = default;

    // A Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // An OK message with the information icon.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

    // The Favorites list sorts itself, so entries are addressed by text, never by position.
    virtual void AddFavorite(const std::string& displayName) = 0;
    // Deletes the entry whose text equals `displayName` exactly, if there is one.
    virtual void DeleteFavorite(const std::string& displayName) = 0;
    // Selects the entry whose text equals `displayName` ignoring case (an exact match wins over
    // one that differs only in case); false, the selection unchanged, when there is none.
    virtual bool SelectFavorite(const std::string& displayName) = 0;
    virtual void ClearFavoriteSelection() = 0;
    // The selected entry's text, or nothing when no entry is selected.
    virtual std::optional<std::string> SelectedFavorite() const = 0;
    // The text in the list's edit field.
    virtual std::string FavoritesEditText() const = 0;

    virtual void EnableSaveSettings(bool enabled) = 0;
    virtual void EnableRemove(bool enabled) = 0;

    // A scale was added to the end of the scale table.
    virtual void AppendScaleName(const std::string& name) = 0;

    // Every setting may have changed (a favorite or command line was applied): re-read the
    // settings record and refresh every control from it. The Base Note list, the "Chimes in Use"
    // text and the sliders' positions come already built.
    virtual void SettingsChanged(const BaseNoteList& baseNotes, const std::string& notesInUse,
                                 const SliderPositions& sliders) = 0;
};

// The favorites part of a view with no window, over any view interface that extends
// FavoritesView. It answers every question with No, so nothing stored is ever replaced or removed
// without a person to confirm it, and it shows nothing; it keeps no list.
template <typename View>
class NullFavorites : public View {
public:
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void ShowMessage(const std::string&, const std::string&) override {}
    void AddFavorite(const std::string&) override {}
    void DeleteFavorite(const std::string&) override {}
    bool SelectFavorite(const std::string&) override { return false; }
    void ClearFavoriteSelection() override {}
    std::optional<std::string> SelectedFavorite() const override { return std::nullopt; }
    std::string FavoritesEditText() const override { return {}; }
    void EnableSaveSettings(bool) override {}
    void EnableRemove(bool) override {}
    void AppendScaleName(const std::string&) override {}
    void SettingsChanged(const BaseNoteList&, const std::string&, const SliderPositions&) override {
    }
};

using NullFavoritesView = NullFavorites<FavoritesView>;

}  // namespace tinsori
