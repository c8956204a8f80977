// Deferral and restart on a machine of its own: ExitWindowsEx ends the session of every other program
// on this machine. Under Wine the calling process survives, InitiateSystemShutdownA starts nothing, and
// the RunOnce value stays for the next logon; on Windows this binary would restart the PC.
#include "setup/system/restart.h"

#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The deferred command as stored, its NUL counted; "<missing>", or "<not REG_SZ>" for another type.
std::string RunOnceValue() {
    DWORD dwType = REG_SZ;
    const std::string strBytes = lqtest::ValueBytes(HKEY_CURRENT_USER, lqtest::kRunOnceKey, "ZmtSetup", &dwType);
    return dwType == REG_SZ ? strBytes : "<not REG_SZ>";
}

TEST(Restart, ScheduledCommandSurvivesTheRestartRequest) {
    ScheduleRunOnce(kDeferredInstallCommand);
    ScheduleRunOnce(kDeferredUninstallCommand);
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "the later deferral replaces the earlier";
    ScheduleRunOnce(std::string(kMaxStoredCommandLine + 1, 'x'));
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "a command too long to store changes nothing";
    ScheduleRunOnce(kDeferredInstallCommand, RunOnceRoot::Machine);
    EXPECT_EQ(std::string(kDeferredInstallCommand) + '\0', lqtest::ValueBytes(HKEY_LOCAL_MACHINE, lqtest::kRunOnceKey, "ZmtSetup"))
        << "the machine's deferral";
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "the account's stays as it was";
    DWORD dwError = RestartWindows();
    EXPECT_EQ(0u, dwError) << "the shutdown privilege is enabled and the request accepted";
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue());
}

}  // namespace
