#include "setup/system/restart.h"

#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

namespace {
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
}  // namespace

void ScheduleRunOnce(const std::string& strCommandLine) {
    if (strCommandLine.size() > 1023) {
        LogEvent("RunOnce not scheduled: the command line has %u characters, more than 1023",
                 static_cast<unsigned>(strCommandLine.size()));
        return;
    }
    ScopedRegKey key;
    LONG lResult = key.Create(HKEY_CURRENT_USER, kRunOnceKey, KEY_ALL_ACCESS);
    if (lResult == ERROR_SUCCESS)
        lResult = RegSetValueExA(key.Get(), "ZmtSetup", 0, REG_SZ, reinterpret_cast<const BYTE*>(strCommandLine.c_str()),
                                 static_cast<DWORD>(strCommandLine.size() + 1));
    if (lResult == ERROR_SUCCESS)
        LogEvent("RunOnce: HKCU\\%s \"ZmtSetup\" = %s", kRunOnceKey, strCommandLine.c_str());
    else
        LogEvent("RunOnce not scheduled: %s", DescribeError(static_cast<DWORD>(lResult)).c_str());
}

DWORD RestartWindows(FrontEnd& frontEnd) {
    // Enough on its own where the shutdown privilege is already enabled or does not exist.
    if (ExitWindowsEx(EWX_REBOOT, 0))
        LogEvent("Restart: ExitWindowsEx accepted");
    else
        LogEvent("Restart: ExitWindowsEx refused: %s", DescribeError(GetLastError()).c_str());

    // Without a token the steps below fail for want of one and start no shutdown.
    ScopedHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) {
        token.Reset();
        frontEnd.ShowMessage(MessageStyle::Program, "OpenProcessToken failed.");
    }
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() == ERROR_SUCCESS) {
        if (InitiateSystemShutdownA(nullptr, const_cast<char*>("System rebooting."), 0, FALSE, TRUE)) {
            privileges.Privileges[0].Attributes = 0;
            AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    const DWORD dwError = GetLastError();
    LogEvent("Restart: shutdown request ended with %s", DescribeError(dwError).c_str());
    return dwError;
}
