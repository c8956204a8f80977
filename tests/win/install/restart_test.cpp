// Deferral and restart on a machine of its own: ExitWindowsEx ends the session of every other program
// on this machine. Under Wine the calling process survives, InitiateSystemShutdownA starts nothing, and
// the RunOnce value stays for the next logon; on Windows this binary would restart the PC.
#include "setup/dialogs/dialog_front_end.h"
#include "setup/install/restart.h"

#include "framework/winapp.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string RunOnceValue() {
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, KEY_READ, &hKey) !=
        ERROR_SUCCESS)
        return "<no key>";
    char sz[2048];
    DWORD cb = sizeof sz, dwType = 0;
    LONG l = RegQueryValueExA(hKey, "ZmtSetup", nullptr, &dwType, reinterpret_cast<BYTE*>(sz), &cb);
    RegCloseKey(hKey);
    if (l != ERROR_SUCCESS || dwType != REG_SZ) return "<no value>";
    return std::string(sz, cb);
}

TEST(Restart, ScheduledCommandSurvivesTheRestartRequest) {
    CWinApp app;  // RestartWindows reports a token failure through the application's message box
    DialogFrontEnd frontEnd;
    ScheduleRunOnce(kDeferredInstallCommand);
    ScheduleRunOnce(kDeferredUninstallCommand);
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue()) << "the later deferral replaces the earlier";
    DWORD dwError = RestartWindows(frontEnd);
    EXPECT_EQ(0u, dwError) << "the shutdown privilege is enabled and the request accepted";
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0', RunOnceValue());
}

}  // namespace
