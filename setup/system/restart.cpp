#include "setup/system/restart.h"

#include "setup/core/privileges.h"
#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

void ScheduleRunOnce(const std::string& strCommandLine, RunOnceRoot root) {
    if (strCommandLine.size() > kMaxStoredCommandLine) {
        LogEvent("RunOnce not scheduled: the command line has %u characters, more than %u",
                 static_cast<unsigned>(strCommandLine.size()), static_cast<unsigned>(kMaxStoredCommandLine));
        return;
    }
    ScopedRegKey key;
    const bool bMachine = root == RunOnceRoot::Machine;
    LONG lResult = key.Create(bMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kRunOnceKey, KEY_ALL_ACCESS);
    if (lResult == ERROR_SUCCESS)
        lResult = RegSetValueExA(key.Get(), kRunOnceValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(strCommandLine.c_str()),
                                 static_cast<DWORD>(strCommandLine.size() + 1));
    if (lResult == ERROR_SUCCESS)
        LogEvent("RunOnce: %s\\%s \"%s\" = %s", bMachine ? "HKLM" : "HKCU", kRunOnceKey, kRunOnceValue,
                 strCommandLine.c_str());
    else
        LogEvent("RunOnce not scheduled: %s", DescribeError(static_cast<DWORD>(lResult)).c_str());
}

Outcome DeferToNextStart(const char* szWork, const std::string& strCommand, InUseAnswer answer,
                         const FrontEnd& frontEnd) {
    const bool bRestart = answer == InUseAnswer::RestartWindows;
    LogEvent("Answer: %s; the %s runs at the next logon", bRestart ? "restart Windows" : "defer to the next Windows start",
             szWork);
    ScheduleRunOnce(CommandWithLogSwitch(strCommand + frontEnd.SwitchesForDeferredRun()),
                    bRestart ? RunOnceRoot::Account : RunOnceRoot::Machine);
    if (bRestart) RestartWindows();
    else LogEvent("Restart: left to whoever started the setup program");
    return Outcome::Deferred;
}

DWORD RestartWindows() {
    // Enough on its own where the shutdown privilege is already enabled or does not exist.
    if (ExitWindowsEx(EWX_REBOOT, 0))
        LogEvent("Restart: ExitWindowsEx accepted");
    else
        LogEvent("Restart: ExitWindowsEx refused: %s", DescribeError(GetLastError()).c_str());

    if (EnablePrivilege("SeShutdownPrivilege", true)) {
        if (InitiateSystemShutdownA(nullptr, const_cast<char*>("System rebooting."), 0, FALSE, TRUE))
            EnablePrivilege("SeShutdownPrivilege", false);
    }
    const DWORD dwError = GetLastError();
    LogEvent("Restart: shutdown request ended with %s", DescribeError(dwError).c_str());
    return dwError;
}
