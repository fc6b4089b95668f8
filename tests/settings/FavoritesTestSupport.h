#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/RecordingPort.h"
#include "model/ChimeSettings.h"
#include "model/Random.h"
#include "music/ScaleTable.h"
#include "platform/AsciiCase.h"
#include "platform/AutoResetEvent.h"
#include "settings/FavoriteLine.h"
#include "settings/FavoritesContext.h"
#include "settings/FavoritesView.h"
#include "store/ProfileStore.h"
#include "support/TempFolder.h"

namespace tinsori::testing {

// A Favorites list that sorts itself ignoring case, like the combo box, and records what the
// favorites code asked and showed.
class TestFavoritesView : public FavoritesView {
public:
    std::vector<std::string> entries;
    std::optional<size_t> selected;
    std::string editText;
    bool saveEnabled = false;
    bool removeEnabled = false;
    std::vector<std::string> questions;
    std::vector<std::string> messages;  // "caption: text"
    std::vector<bool> answers;          // consumed in order; Yes when exhausted
    std::vector<std::string> scaleNames;
    int refreshes = 0;
    std::string notesInUse;

    bool AskYesNo(const std::string& text, const std::string& caption) override {
        questions.push_back(caption + ": " + text);
        if (answers.empty()) return true;
        bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + ": " + text);
    }
    void AddFavorite(const std::string& name) override {
        auto at = std::lower_bound(entries.begin(), entries.end(), name, Less);
        if (selected && static_cast<size_t>(at - entries.begin()) <= *selected) ++*selected;
        entries.insert(at, name);
    }
    void DeleteFavorite(const std::string& name) override {
        auto at = std::find(entries.begin(), entries.end(), name);
        if (at == entries.end()) return;
        size_t index = at - entries.begin();
        entries.erase(at);
        if (selected && *selected == index)
            selected.reset();
        else if (selected && *selected > index)
            --*selected;
    }
    bool SelectFavorite(const std::string& name) override {
        auto exact = std::find(entries.begin(), entries.end(), name);
        if (exact == entries.end())
            exact = std::find_if(entries.begin(), entries.end(),
                                 [&](const std::string& e) { return EqualsIgnoringCase(e, name); });
        if (exact == entries.end()) return false;
        selected = exact - entries.begin();
        return true;
    }
    void ClearFavoriteSelection() override { selected.reset(); }
    std::optional<std::string> SelectedFavorite() const override {
        if (!selected) return std::nullopt;
        return entries[*selected];
    }
    std::string FavoritesEditText() const override { return editText; }
    void EnableSaveSettings(bool enabled) override { saveEnabled = enabled; }
    void EnableRemove(bool enabled) override { removeEnabled = enabled; }
    void AppendScaleName(const std::string& name) override { scaleNames.push_back(name); }
    void SettingsChanged(const BaseNoteList&, const std::string& text,
                         const SliderPositions&) override {
        ++refreshes;
        notesInUse = text;
    }

private:
    static bool Less(const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); }
};

// A fresh profile file, the built-in scales, default settings and a recording MIDI output.
class FavoritesFixture : public ::testing::Test {
protected:
    FavoritesFixture() : path_(folder_.file("profile.db")) {
        store_ = ProfileStore::Open(path_);
        scales.LoadBuiltIns();
        handle.open(port.borrow());
    }
    ~FavoritesFixture() override {
        ctx_.reset();
        store_.reset();
    }

    ProfileStore& store() { return *store_; }

    FavoritesContext& ctx() {
        if (!ctx_) ctx_.emplace(FavoritesContext{settings, scales, *store_, midi, wake, view});
        return *ctx_;
    }

    // Opens the profile at `path` instead (a small disk, for one).
    void OpenStoreAt(const std::string& path) {
        ctx_.reset();
        store_ = ProfileStore::Open(path);
    }
    std::string Folder() const { return folder_.path().string(); }

    // Closes and opens the profile file again, as a restart would.
    void ReopenStore() {
        ctx_.reset();
        store_.reset();
        store_ = ProfileStore::Open(path_);
    }

    std::string ReadString(std::string_view section, std::string_view name) {
        std::string text;
        store_->ReadString(section, name, text, 4096);
        return text;
    }
    void WriteString(std::string_view section, std::string_view name, const std::string& text) {
        store_->WriteString(section, name, &text);
    }

    Random random{1};
    ChimeSettings settings{random};
    ScaleTable scales;
    RecordingPort port;
    MidiHandle handle;
    AutoResetEvent wake;
    MidiOut midi{settings, handle, wake};
    TestFavoritesView view;

private:
    testing_support::TempFolder folder_;
    std::string path_;
    std::unique_ptr<ProfileStore> store_;
    std::optional<FavoritesContext> ctx_;
};

}  // namespace tinsori::testing
