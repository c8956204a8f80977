// The one place that adjusts the privileges of a process token.
#pragma once

#include <windows.h>

// Enables (or disables) one privilege in the token (opened with TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY).
// True only when the name could be looked up, the adjustment made and the privilege really assigned (not
// ERROR_NOT_ALL_ASSIGNED). A failure is written to the setup log with the step and the Windows error; the
// user is never shown one.
bool EnablePrivilege(HANDLE hToken, const char* szPrivilege, bool bEnable);
// The same on this process's own token; false, and logged, also when that cannot be opened.
bool EnablePrivilege(const char* szPrivilege, bool bEnable);
