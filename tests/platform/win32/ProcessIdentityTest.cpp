#include "platform/ProcessIdentity.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tinsori {
namespace {

TEST(ProcessIdentityWindows, AliveOnlyWithItsOwnStartTimeAndNotOnceEnded) {
    const ProcessIdentity self = ProcessIdentity::Self();
    ASSERT_NE(self.startTime, 0u);
    EXPECT_TRUE(IsProcessAlive(self.pid, self.startTime));
    EXPECT_FALSE(IsProcessAlive(self.pid, self.startTime + 1));
    EXPECT_FALSE(IsProcessAlive(0, 0));

    // A child that has ended, its handle still held here so its id cannot be reused yet.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    std::wstring command = L"cmd.exe /c exit 0";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &child));
    const ProcessIdentity running = ProcessIdentity::Of(static_cast<long>(child.dwProcessId));
    WaitForSingleObject(child.hProcess, INFINITE);
    EXPECT_FALSE(IsProcessAlive(running.pid, running.startTime));
    EXPECT_EQ(ProcessIdentity::Of(running.pid).startTime, 0u);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

}  // namespace
}  // namespace tinsori
