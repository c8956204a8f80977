#include "setup/install/restart.h"

#include "util/scoped_handles.h"

void ScheduleRunOnce(const std::string& strCommandLine) {
    if (strCommandLine.size() > 1023) return;
    ScopedRegKey key;
    if (key.Create(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", KEY_ALL_ACCESS) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key.Get(), "ZmtSetup", 0, REG_SZ, reinterpret_cast<const BYTE*>(strCommandLine.c_str()),
                   static_cast<DWORD>(strCommandLine.size() + 1));
}

DWORD RestartWindows(FrontEnd& frontEnd) {
    // Enough on its own where the shutdown privilege is already enabled or does not exist.
    ExitWindowsEx(EWX_REBOOT, 0);

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
    return GetLastError();
}
