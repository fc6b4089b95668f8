#include "settings/RecentFavorites.h"

#include <gtest/gtest.h>

#include "FavoritesTestSupport.h"
#include "settings/Favorites.h"

namespace tinsori::testing {
namespace {

class RecentFavoritesTest : public FavoritesFixture {
protected:
    void AddAll(std::initializer_list<const char*> names) {
        for (const char* name : names) UpdateRecentFavorites(store(), name, kRecentLimit);
    }
    // Entries 0 .. NumItems - 1, oldest first, gaps as empty strings.
    std::vector<std::string> Entries() {
        std::vector<std::string> out;
        for (int i = 0; i < store().ReadInt("MRU Favorites", "NumItems", 0); ++i)
            out.push_back(ReadRecentFavorite(store(), i));
        return out;
    }
    using Names = std::vector<std::string>;
};

TEST_F(RecentFavoritesTest, AddsUpToSevenThenDropsTheOldest) {
    AddAll({"N1", "N2", "N3"});
    EXPECT_EQ(Entries(), (Names{"N1", "N2", "N3"}));
    AddAll({"N4", "N5", "N6", "N7", "N8"});
    EXPECT_EQ(Entries(), (Names{"N2", "N3", "N4", "N5", "N6", "N7", "N8"}));
    EXPECT_EQ(ReadRecentFavorite(store(), 7), "");  // nothing left beyond the limit
}

TEST_F(RecentFavoritesTest, UsingANameAgainMovesItLastIgnoringCase) {
    AddAll({"N1", "N2", "N3", "N4", "N5", "N6", "N7"});
    UpdateRecentFavorites(store(), "N3", kRecentLimit);
    EXPECT_EQ(Entries(), (Names{"N1", "N2", "N4", "N5", "N6", "N7", "N3"}));
    // A match ignoring case moves the entry and takes the new spelling.
    UpdateRecentFavorites(store(), "n1", kRecentLimit);
    EXPECT_EQ(Entries(), (Names{"N2", "N4", "N5", "N6", "N7", "N3", "n1"}));
}

TEST_F(RecentFavoritesTest, RemovalLeavesAGapAndMatchesCase) {
    AddAll({"N1", "Rain", "N3"});
    UpdateRecentFavorites(store(), "rain", kRecentRemove);  // removal compares exactly
    EXPECT_EQ(Entries(), (Names{"N1", "Rain", "N3"}));
    UpdateRecentFavorites(store(), "Rain", kRecentRemove);
    EXPECT_EQ(Entries(), (Names{"N1", "", "N3"}));
    EXPECT_EQ(store().ReadInt("MRU Favorites", "NumItems", 0), 3);
    // The next name goes after the gap; the gap moves down with the others once the list is full.
    AddAll({"N4", "N5", "N6", "N7", "N8"});
    EXPECT_EQ(Entries(), (Names{"", "N3", "N4", "N5", "N6", "N7", "N8"}));
}

TEST_F(RecentFavoritesTest, ADamagedCountIsBounded) {
    store().WriteInt("MRU Favorites", "NumItems", 2000000000);
    UpdateRecentFavorites(store(), "Fresh", kRecentLimit);
    EXPECT_EQ(store().ReadInt("MRU Favorites", "NumItems", 0), kRecentLimit);
    EXPECT_EQ(ReadRecentFavorite(store(), kRecentLimit - 1), "Fresh");

    store().WriteInt("MRU Favorites", "NumItems", -4);
    UpdateRecentFavorites(store(), "Again", kRecentLimit);
    EXPECT_EQ(store().ReadInt("MRU Favorites", "NumItems", 0), 1);
    EXPECT_EQ(ReadRecentFavorite(store(), 0), "Again");
}

TEST_F(RecentFavoritesTest, MenuCommandAppliesTheEntryAndSelectsIt) {
    WriteString("Favorites", "Favorite1", "Sea,122,7,43,0,0,1,0,7460,0,246,2,12,0,7,0,1000");
    store().WriteInt("Favorites", "Last", 1);
    view.AddFavorite("Sea");
    AddAll({"Sea", "Gone"});

    OnRecentFavoriteCommand(ctx(), kRecentFirstCommand + 1);  // "Gone": no such favorite
    EXPECT_EQ(settings.instrument, 14);
    EXPECT_FALSE(view.selected.has_value());

    OnRecentFavoriteCommand(ctx(), kRecentFirstCommand);  // entry 0 is now "Sea"
    EXPECT_EQ(settings.instrument, 122);
    ASSERT_TRUE(view.SelectedFavorite().has_value());
    EXPECT_EQ(*view.SelectedFavorite(), "Sea");
    EXPECT_EQ(Entries(), (Names{"Gone", "Sea"}));

    OnRecentFavoriteCommand(ctx(), kRecentFirstCommand + 7);  // outside the menu's range
    EXPECT_EQ(Entries(), (Names{"Gone", "Sea"}));
}

}  // namespace
}  // namespace tinsori::testing
