// Deferral and restart on a machine of its own: ExitWindowsEx ends the session of every other program
// on this machine. Under Wine the calling process survives, InitiateSystemShutdownA starts nothing, and
// the RunOnce value stays for the next logon; on Windows this binary would restart the PC.
#include "setup/system/restart.h"

#include "tests/support/recording_front_end.h"
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
    EXPECT_TRUE(ScheduleRunOnce(kDeferredInstallCommand).IsDone());
    EXPECT_TRUE(ScheduleRunOnce(kDeferredUninstallCommand).IsDone());
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "the later deferral replaces the earlier";
    EXPECT_EQ(OpStatus::Refused, ScheduleRunOnce(std::string(kMaxStoredCommandLine + 1, 'x')).status);
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "a command too long to store changes nothing";
    EXPECT_TRUE(ScheduleRunOnce(kDeferredInstallCommand, RunOnceRoot::Machine).IsDone());
    EXPECT_EQ(std::string(kDeferredInstallCommand) + '\0', lqtest::ValueBytes(HKEY_LOCAL_MACHINE, lqtest::kRunOnceKey, "ZmtSetup"))
        << "the machine's deferral";
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "the account's stays as it was";
    lqtest::RecordingFrontEnd frontEnd;
    DWORD dwError = RestartWindows(frontEnd);
    EXPECT_EQ(0u, dwError) << "the shutdown privilege is enabled and the request accepted";
    EXPECT_TRUE(frontEnd.arrMessages.empty());
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue());

    // A process token that cannot be opened: the box the dialogs have always shown, once, and no shutdown.
    EXPECT_NE(0u, RestartWindows(frontEnd, nullptr));
    EXPECT_EQ((std::vector<lqtest::RecordingFrontEnd::Message>{{MessageStyle::Program, TextId::OpenProcessTokenFailed}}),
              frontEnd.arrMessages);
}

// A deferral that cannot be stored is no deferral: the run fails (1603 for a deployment tool), never 3010.
TEST(Restart, ADeferralThatCannotBeStoredFails) {
    lqtest::RecordingFrontEnd frontEnd;
    EXPECT_EQ(Outcome::Deferred, DeferToNextStart("install", kDeferredInstallCommand, InUseAnswer::DeferToNextStart, frontEnd));
    EXPECT_EQ(Outcome::Failed, DeferToNextStart("install", std::string(kMaxStoredCommandLine + 1, 'x'),
                                                InUseAnswer::DeferToNextStart, frontEnd));
    EXPECT_EQ(std::string(kDeferredInstallCommand) + '\0', lqtest::ValueBytes(HKEY_LOCAL_MACHINE, lqtest::kRunOnceKey, "ZmtSetup"))
        << "the earlier deferral stays, the machine's: a deployment tool's";
}

}  // namespace
