#include "setup/system/restart.h"

#include "setup/core/privileges.h"
#include "setup/core/setup_log.h"
#include "util/registry.h"
#include "util/scoped_handles.h"

OpResult ScheduleRunOnce(const std::string& strCommandLine, RunOnceRoot root) {
    if (strCommandLine.size() > kMaxStoredCommandLine) {
        LogEvent("RunOnce not scheduled: the command line has %u characters, more than %u",
                 static_cast<unsigned>(strCommandLine.size()), static_cast<unsigned>(kMaxStoredCommandLine));
        return OpResult::Refused("the command line is too long");
    }
    ScopedRegKey key;
    const bool bMachine = root == RunOnceRoot::Machine;
    LONG lResult = key.Create(bMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kRunOnceKey, KEY_ALL_ACCESS);
    if (lResult == ERROR_SUCCESS) lResult = SetRegistryString(key.Get(), kRunOnceValue, strCommandLine);
    if (lResult != ERROR_SUCCESS) {
        LogEvent("RunOnce not scheduled: %s", DescribeError(static_cast<DWORD>(lResult)).c_str());
        return OpResult::FailedWith(static_cast<DWORD>(lResult));
    }
    LogEvent("RunOnce: %s\\%s \"%s\" = %s", bMachine ? "HKLM" : "HKCU", kRunOnceKey, kRunOnceValue, strCommandLine.c_str());
    return OpResult::Done();
}

Outcome DeferToNextStart(const char* szWork, const std::string& strCommand, InUseAnswer answer, FrontEnd& frontEnd) {
    const bool bRestart = answer == InUseAnswer::RestartWindows;
    LogEvent("Answer: %s; the %s runs at the next logon", bRestart ? "restart Windows" : "defer to the next Windows start",
             szWork);
    const OpResult scheduled = ScheduleRunOnce(CommandWithLogSwitch(strCommand + frontEnd.SwitchesForDeferredRun()),
                                               bRestart ? RunOnceRoot::Account : RunOnceRoot::Machine);
    if (bRestart) RestartWindows(frontEnd);
    else LogEvent("Restart: left to whoever started the setup program");
    if (scheduled.IsDone()) return Outcome::Deferred;
    LogEvent("The %s was not deferred: nothing would run it at the next start", szWork);
    return Outcome::Failed;
}

DWORD RestartWindows(FrontEnd& frontEnd, HANDLE hProcess) {
    // Enough on its own where the shutdown privilege is already enabled or does not exist.
    if (ExitWindowsEx(EWX_REBOOT, 0))
        LogEvent("Restart: ExitWindowsEx accepted");
    else
        LogEvent("Restart: ExitWindowsEx refused: %s", DescribeError(GetLastError()).c_str());

    ScopedHandle token;
    if (!OpenProcessToken(hProcess, TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) {
        LogEvent("Restart: the process token cannot be opened: %s", DescribeError(GetLastError()).c_str());
        frontEnd.ShowMessage(MessageStyle::Program, TextId::OpenProcessTokenFailed);
    }
    // Without a token no privilege can be enabled, and no shutdown is initiated.
    DWORD dwError = ERROR_INVALID_HANDLE;
    if (token.IsValid() && EnablePrivilege(token.Get(), "SeShutdownPrivilege", true)) {
        dwError = InitiateSystemShutdownA(nullptr, const_cast<char*>("System rebooting."), 0, FALSE, TRUE)
                      ? ERROR_SUCCESS
                      : GetLastError();
        if (dwError == ERROR_SUCCESS) EnablePrivilege(token.Get(), "SeShutdownPrivilege", false);
    } else if (token.IsValid()) {
        dwError = ERROR_NOT_ALL_ASSIGNED;
    }
    LogEvent("Restart: shutdown request ended with %s", DescribeError(dwError).c_str());
    return dwError;
}
