#include <gtest/gtest.h>

#include <algorithm>

#include "player/ControlIds.h"
#include "player/DialogTemplate.h"
#include "ui_win32/RunningWindow.h"

// The Windows window, driven from outside as a user's clicks and keys would drive it.

namespace tinsori {

namespace {

using Message = RunningWindow::Message;

bool IsSweepEnd(const Message& m) {
    return (m.status & 0xF0) == 0x80 && m.data1 == 124 && m.data2 == 120;
}

bool IsNoteOn(const Message& m) {
    return (m.status & 0xF0) == 0x90 && m.data2 > 0;
}

// The closing run strikes the chime set from the last (highest) chime down, from velocity 35 up
// by 5 (the start-up's run goes up the set): the length of the last such run in the log.
int ClosingRun(const std::vector<Message>& log) {
    int run = 0;
    const Message* last = nullptr;
    for (const Message& m : log) {
        if (!IsNoteOn(m)) continue;
        if (m.data2 == 35) {
            run = 1;
        } else if (last && m.data2 == last->data2 + 5 && m.data1 < last->data1 && run > 0) {
            ++run;
        } else {
            run = 0;
        }
        last = &m;
    }
    return run;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

TEST(MainWindow, OpensWithEveryControlAndEscapeRunsTheClosingRunAndSaves) {
    RunningWindow tinsori;
    ASSERT_TRUE(tinsori.Start());
    for (const ControlSpec& spec : MainDialogTemplate().controls) {
        if (spec.id == kIdNone) continue;
        HWND control = tinsori.item(spec.id);
        ASSERT_NE(control, nullptr) << spec.id;
        const bool bar =
            spec.kind == ControlKind::HorizontalBar || spec.kind == ControlKind::VerticalBar;
        if (bar || spec.kind == ControlKind::DropDownList) {
            EXPECT_EQ(ClassOf(control), bar ? L"ScrollBar" : L"ComboBox") << spec.id;
        }
    }
    EXPECT_FALSE(IsWindowVisible(tinsori.item(kIdNothing)));
    EXPECT_EQ(tinsori.Text(kIdChannel), L"0");

    SendMessageW(tinsori.item(kIdChimeCount), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"9"));
    PostMessageW(tinsori.window(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(tinsori.WaitForExit());
    EXPECT_EQ(ClosingRun(tinsori.Log()), 9);
    EXPECT_EQ(RunningWindow::ReadNumber(L"Settings", L"Num Chimes"), 9u);
}

TEST(MainWindow, PauseSweepsAndSendsNothingMoreUntilContinue) {
    RunningWindow tinsori;
    ASSERT_TRUE(tinsori.Start());
    // A storm: without the pause, strikes would come every few hundred milliseconds.
    SendMessageW(tinsori.window(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 940),
                 reinterpret_cast<LPARAM>(tinsori.item(kIdWindSlider)));
    Sleep(1000);
    tinsori.Command(kIdPause);
    EXPECT_EQ(tinsori.Text(kIdPause), L"Continue");
    Sleep(2000);
    tinsori.Command(kIdPause);
    EXPECT_EQ(tinsori.Text(kIdPause), L"Pause");
    Sleep(2000);
    PostMessageW(tinsori.window(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(tinsori.WaitForExit());

    const std::vector<Message> log = tinsori.Log();
    const auto sweep = std::find_if(log.begin(), log.end(), IsSweepEnd);
    ASSERT_NE(sweep, log.end());
    const auto next = sweep + 1;
    ASSERT_NE(next, log.end());
    // Nothing while paused: the next message is Continue's, two seconds later.
    EXPECT_GE(next->time - sweep->time, 1900);
    // Played on after Continue, before the closing run.
    EXPECT_GT(std::count_if(next, log.end(), IsNoteOn), ClosingRun(log));
}

TEST(MainWindow, TrayMenuEntryAppliesThatFavorite) {
    RunningWindow tinsori;
    RunningWindow::WriteNumber(L"MRU Favorites", L"NumItems", 1);
    RunningWindow::WriteValue(L"MRU Favorites", L"Item0", L"Alien World");
    ASSERT_TRUE(tinsori.Start());
    ASSERT_NE(tinsori.Text(kIdFavorites), L"Alien World");
    // The menu's command, as TrackPopupMenu delivers it.
    SendMessageW(tinsori.window(), WM_COMMAND, 7777, 0);
    EXPECT_EQ(tinsori.Text(kIdFavorites), L"Alien World");
    EXPECT_EQ(tinsori.Text(kIdChimeCount), L"16");
    PostMessageW(tinsori.window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(tinsori.WaitForExit());
}

TEST(MainWindow, SessionEndSavesWithoutTheClosingRun) {
    RunningWindow tinsori;
    ASSERT_TRUE(tinsori.Start());
    SendMessageW(tinsori.item(kIdChimeCount), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
    EXPECT_TRUE(SendMessageW(tinsori.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_EQ(RunningWindow::ReadNumber(L"Settings", L"Num Chimes"), 5u);
    SendMessageW(tinsori.window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    ASSERT_TRUE(tinsori.WaitForExit());
    EXPECT_LT(ClosingRun(tinsori.Log()), 5);
}

}  // namespace tinsori
