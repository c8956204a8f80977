#include "setup/install/restart.h"

#include "framework/winapp.h"

void ScheduleRunOnce(const std::string& strCommandLine) {
    if (strCommandLine.size() > 1023) return;
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition) != ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, "ZmtSetup", 0, REG_SZ, reinterpret_cast<const BYTE*>(strCommandLine.c_str()),
                   static_cast<DWORD>(strCommandLine.size() + 1));
    RegCloseKey(hKey);
}

DWORD RestartWindows() {
    // Enough on its own where the shutdown privilege is already enabled or does not exist.
    ExitWindowsEx(EWX_REBOOT, 0);

    HANDLE hToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken)) {
        AfxGetApp()->DoMessageBox("OpenProcessToken failed.", MB_OK);
        hToken = nullptr;  // the steps below then fail for want of a token and start no shutdown
    }
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() == ERROR_SUCCESS) {
        if (InitiateSystemShutdownA(nullptr, const_cast<char*>("System rebooting."), 0, FALSE, TRUE)) {
            privileges.Privileges[0].Attributes = 0;
            AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    const DWORD dwError = GetLastError();
    if (hToken) CloseHandle(hToken);
    return dwError;
}
