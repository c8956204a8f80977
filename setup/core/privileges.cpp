#include "setup/core/privileges.h"

#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

bool EnablePrivilege(HANDLE hToken, const char* szPrivilege, bool bEnable) {
    const char* szDoing = bEnable ? "enabled" : "disabled";
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    if (!LookupPrivilegeValueA(nullptr, szPrivilege, &privileges.Privileges[0].Luid)) {
        LogEvent("Privilege %s not %s: unknown here: %s", szPrivilege, szDoing, DescribeError(GetLastError()).c_str());
        return false;
    }
    privileges.Privileges[0].Attributes = bEnable ? SE_PRIVILEGE_ENABLED : 0;
    // AdjustTokenPrivileges succeeds even when the token lacks the privilege; only the last error says so.
    if (!AdjustTokenPrivileges(hToken, FALSE, &privileges, sizeof privileges, nullptr, nullptr) ||
        GetLastError() == ERROR_NOT_ALL_ASSIGNED) {
        LogEvent("Privilege %s not %s: %s", szPrivilege, szDoing, DescribeError(GetLastError()).c_str());
        return false;
    }
    return true;
}

bool EnablePrivilege(const char* szPrivilege, bool bEnable) {
    ScopedHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) {
        LogEvent("Privilege %s not %s: the process token cannot be opened: %s", szPrivilege,
                 bEnable ? "enabled" : "disabled", DescribeError(GetLastError()).c_str());
        return false;
    }
    return EnablePrivilege(token.Get(), szPrivilege, bEnable);
}
