// The main window's logic that needs no widgets: the pictures, lists, bars, status line, blinking,
// hiding, dialog units and help pages that both front ends share.

#include <gtest/gtest.h>

#include <algorithm>

#include "player/ChimePictureGeometry.h"
#include "player/ChimePictureKeys.h"
#include "player/ConfigurationButtons.h"
#include "player/ContextHelp.h"
#include "player/CursorBlink.h"
#include "player/DialogUnitScale.h"
#include "player/HideAtStart.h"
#include "player/NumberList.h"
#include "player/PlayerStatus.h"
#include "player/ScrollRequest.h"
#include "player/StatusLine.h"

namespace tinsori {
namespace {

TEST(ChimePictureGeometryTest, TubesGiveChimeAndVelocityOfTheColumnUnderThePointer) {
    const TubeHit top = TubeAt(9, 17, 7);
    EXPECT_TRUE(top.hit);
    EXPECT_EQ(top.chime, 6);
    EXPECT_EQ(top.velocity, 94);
    const TubeHit low = TubeAt(70, 60, 7);
    EXPECT_TRUE(low.hit);
    EXPECT_EQ(low.chime, 0);
    EXPECT_EQ(low.velocity, 47);
    // Right of the last tube, above the tubes, below a tube's bottom, left of the first column.
    EXPECT_FALSE(TubeAt(72, 40, 7).hit);
    EXPECT_FALSE(TubeAt(30, 15, 7).hit);
    EXPECT_FALSE(TubeAt(30, 38, 7).hit);
    EXPECT_FALSE(TubeAt(4, 20, 7).hit);
}

TEST(ChimePictureGeometryTest, ChimeIndexStaysInsideTheSet) {
    for (int count : {1, 2, 7, 77}) {
        for (int dx = 5; dx <= 71; ++dx) {
            const TubeHit hit = TubeAt(dx, 20, count);
            ASSERT_TRUE(hit.hit) << dx;
            EXPECT_GE(hit.chime, 0);
            EXPECT_LT(hit.chime, count);
            EXPECT_GE(hit.velocity, 38);
            EXPECT_LE(hit.velocity, 99);
        }
    }
    EXPECT_FALSE(TubeAt(30, 20, 0).hit);
}

// The keyboard's mark on the chosen chime covers exactly the columns where the pointer strikes it.
TEST(ChimePictureGeometryTest, ColumnsOfAChimeAreWhereThePointerStrikesIt) {
    for (int count = 1; count <= 77; ++count) {
        for (int dx = 8; dx <= 71; ++dx) {
            const int chime = TubeAt(dx, 20, count).chime;
            const ChimeColumns columns = ColumnsOf(chime, count);
            EXPECT_TRUE(columns.left <= dx && dx <= columns.right) << count << " " << dx;
        }
    }
    EXPECT_LT(ColumnsOf(7, 7).right, ColumnsOf(7, 7).left);
}

TEST(ChimePictureKeysTest, DigitsAndTheChosenChimeStayInsideTheSet) {
    EXPECT_EQ(ChimePictureKeys::ChimeOfDigit(1), 0);
    EXPECT_EQ(ChimePictureKeys::ChimeOfDigit(0), 9);
    ChimePictureKeys keys;
    keys.MoveRight(7);
    EXPECT_EQ(keys.chosen(7), 0);
    for (int i = 0; i < 9; ++i) keys.MoveLeft(7);
    EXPECT_EQ(keys.chosen(7), 6);
    // The set shrank: the choice is its last chime, and Right moves on from there.
    EXPECT_EQ(keys.chosen(3), 2);
    keys.MoveRight(3);
    EXPECT_EQ(keys.chosen(3), 1);
}

TEST(PlayerStatusTest, TimeLeftRoundsUpToTheSecond) {
    EXPECT_EQ(MinutesSeconds(1), "0:01");
    EXPECT_EQ(MinutesSeconds(59001), "1:00");
    EXPECT_EQ(MinutesSeconds(605000), "10:05");
}

// Characters, not bytes: "\u00b7" and the ellipsis count one each.
int Characters(const std::string& text) {
    int count = 0;
    for (char byte : text) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

TEST(StatusLineTest, ANarrowLineDropsTheProductThenDetailAndCutsTheStateLast) {
    const std::vector<std::string> texts = {"Synth (pulse) \u00b7 Sleep in 1:30",
                                            "Synth \u00b7 Sleep in 1:30", "Sleep in 1:30"};
    auto fit = [&texts](int width) { return FitStatusLine(texts, width, Characters); };
    EXPECT_EQ(fit(39).shown, "Tinsori \u00b7 Synth (pulse) \u00b7 Sleep in 1:30");
    EXPECT_FALSE(fit(39).shortened);
    EXPECT_EQ(fit(38).shown, "Tinsori \u00b7 Synth \u00b7 Sleep in 1:30");
    EXPECT_EQ(fit(30).shown, "Synth \u00b7 Sleep in 1:30");
    EXPECT_EQ(fit(20).shown, "Sleep in 1:30");
    EXPECT_TRUE(fit(20).shortened);
    EXPECT_EQ(fit(20).full, texts.front());
    EXPECT_EQ(fit(6).shown, "Sleep\u2026");
    EXPECT_EQ(fit(0).shown, "");
    // A cut never splits a character.
    EXPECT_EQ(FitStatusLine({"\u00b7\u00b7\u00b7\u00b7"}, 3, Characters).shown,
              "\u00b7\u00b7\u2026");
}

TEST(ScrollRequestTest, ABarStopsAtEitherEndOfItsRange) {
    EXPECT_EQ(ScrollPosition(PlayerSlider::Volume, ScrollRequest::PageForward, 100, 0), 127);
    EXPECT_EQ(ScrollPosition(PlayerSlider::Volume, ScrollRequest::LineBack, 0, 0), 0);
    EXPECT_EQ(ScrollPosition(PlayerSlider::Closeness, ScrollRequest::PageBack, 120, 0), 100);
    EXPECT_EQ(ScrollPosition(PlayerSlider::Wind, ScrollRequest::ThumbTrack, 500, 9999), 940);
    EXPECT_EQ(ScrollPosition(PlayerSlider::Length, ScrollRequest::LineForward, 700, 0), 701);
    // Home and End (Top and Bottom) leave the bar where it stands.
    EXPECT_EQ(ScrollPosition(PlayerSlider::Wind, RequestOfKey(ScrollKey::Home), 500, 2), 500);
    EXPECT_EQ(RequestOfKey(ScrollKey::PageDown), ScrollRequest::PageForward);
    EXPECT_EQ(RequestOfKey(ScrollKey::Up), ScrollRequest::LineBack);
}

TEST(CursorBlinkTest, TheCursorStaysLitAfterTheTimeoutAndBlinksAgainOnAnAction) {
    CursorBlink blink(530);
    EXPECT_EQ(blink.periodMs(), 530);
    blink.OnTimeout();
    EXPECT_EQ(blink.periodMs(), 0);
    blink.OnUserAction();
    EXPECT_EQ(blink.periodMs(), 530);
}

TEST(HideAtStartTest, StartedMinimizedHidesAtTheFirstTickOnlyAndOnlyWithATrayIcon) {
    HideAtStart withIcon(true);
    EXPECT_TRUE(withIcon.OnTick(true));
    EXPECT_FALSE(withIcon.OnTick(true));
    HideAtStart withoutIcon(true);
    EXPECT_FALSE(withoutIcon.OnTick(false));
    EXPECT_FALSE(withoutIcon.OnTick(true));
    EXPECT_FALSE(HideAtStart(false).OnTick(true));
}

// A stored value out of range selects the nearest end, never an entry beyond the list.
TEST(DialogChoicesTest, NumberListsMapEntriesToValuesAndClampAtTheEnds) {
    EXPECT_EQ(kTransposeList.Entries().front(), "-12");
    EXPECT_EQ(kTransposeList.Entries().size(), 25u);
    EXPECT_EQ(kTransposeList.IndexOf(-3), 9);
    EXPECT_EQ(kTransposeList.IndexOf(40), 24);
    EXPECT_EQ(kTransposeList.ValueAt(14), 2);
    EXPECT_EQ(kChannelList.IndexOf(-1), 0);
    EXPECT_EQ(kChannelList.Entries().back(), "15");
}

TEST(DialogChoicesTest, TheFirstCheckedButtonChoosesTheConfigurationAndTheLengthBarFollowsIt) {
    EXPECT_EQ(ConfigurationOfChecked({kQuantized, kAllIndependent}, kChimesOnly), kAllIndependent);
    EXPECT_EQ(ConfigurationOfChecked({}, kChimesOnly), kChimesOnly);
    EXPECT_TRUE(SliderEnabled(PlayerSlider::Length, kCenterPendulum));
    EXPECT_FALSE(SliderEnabled(PlayerSlider::Length, kQuantized));
    EXPECT_TRUE(SliderEnabled(PlayerSlider::Wind, kQuantized));
}

// A 8-point Tahoma sets the 52 letters 312 pixels wide, 13 high: 6 by 13, the classic base.
TEST(DialogUnitScaleTest, UnitsRoundToNearestAndALabelWidensTheBaseJustEnough) {
    DialogUnitScale units(312 + 25, 13);
    EXPECT_EQ(units.baseX(), 6);
    EXPECT_EQ(units.toX(397), 596);
    EXPECT_EQ(units.toY(254), 413);
    units.WidenToFit(60, 36);
    EXPECT_EQ(units.baseX(), 7);
    EXPECT_EQ(units.toX(36), 63);
    units.WidenToFit(500, 0);
    EXPECT_EQ(units.baseX(), 7);
    EXPECT_EQ(DialogUnitScale(0, 0).baseY(), 1);
}

TEST(ContextHelpTest, TopicsFollowFocusScrollEndsAndMapToPages) {
    ContextHelp help;
    EXPECT_EQ(help.Keyword(), "");
    EXPECT_EQ(HelpPageOf(help.Keyword()), "index.html");
    help.FocusReceived(HelpControl::Favorites);
    EXPECT_EQ(HelpPageOf(help.Keyword()), "creating-presets.html");
    help.ScrollEnded(PlayerSlider::Volume);
    EXPECT_EQ(help.Keyword(), "instrument");
    help.FocusReceived(HelpControl::NotesInUse);
    EXPECT_EQ(help.Keyword(), "transpose");
    help.ScrollEnded(PlayerSlider::Length);
    EXPECT_EQ(help.Keyword(), "chime");
    help.ScrollEnded(PlayerSlider::Wind);
    EXPECT_EQ(help.Keyword(), "wind");
    help.Set(42);
    EXPECT_EQ(help.Keyword(), "");
}

// A page not translated is shown in English; a page not there, the contents.
TEST(ContextHelpTest, PagesFallBackToEnglishThenToTheContents) {
    const std::vector<std::string> files = {"index.html", "de/index.html", "wind.html",
                                            "chime.html", "de/chime.html"};
    auto exists = [&files](const std::string& path) {
        return std::ranges::find(files, path) != files.end();
    };
    EXPECT_EQ(HelpPageFile("chime.html", "de/", exists), "de/chime.html");
    EXPECT_EQ(HelpPageFile("wind.html", "de/", exists), "wind.html");
    EXPECT_EQ(HelpPageFile("gone.html", "de/", exists), "de/index.html");
    EXPECT_EQ(HelpPageFile("gone.html", "de/", [](const std::string&) { return false; }),
              std::nullopt);
}

}  // namespace
}  // namespace tinsori
