#include <gtest/gtest.h>

#include "core/InstallLog.h"

namespace {
using Restart = CInstallSequence::Action::Restart;

TEST(InstallLog, UnattendedEndsInWindowsInstallerCodes) {
    struct Case {
        UnattendedEnd end;
        int exit;
        bool restart;
    };
    const Case cases[] = {
        {InstallLog::AtReboot(true, false), 1641, true},
        {InstallLog::AtReboot(true, true), 3010, false},
        // Restarting without a way back would strand the sequence.
        {InstallLog::AtReboot(false, false), 1603, false},
        {InstallLog::AtFinish(Restart::Yes, false), 1641, true},
        {InstallLog::AtFinish(Restart::Yes, true), 3010, false},
        {InstallLog::AtFinish(Restart::No, false), 0, false},
        {InstallLog::AtFinish(Restart::Other, true), 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exit, static_cast<int>(c.end.exit)) << c.end.reason;
        EXPECT_EQ(c.restart, c.end.restartNow) << c.end.reason;
    }
}

TEST(InstallLog, StepLinesGiveTimeCommandExitCodeAndDuration) {
    const LogTime t{2026, 12, 10, 6, 5, 9};
    EXPECT_EQ("2026-12-10 06:05:09 step 2/5: D:\\a.exe -s | exit code 3 | 12.3 s",
              InstallLog::StepLine(t, 2, 5, "D:\\a.exe -s", true, 3, 12345));
    EXPECT_EQ("2026-12-10 06:05:09 result: 1603 failed: step 2",
              InstallLog::ResultLine(t, InstallExit::Failed, "step 2"));
}
} // namespace
