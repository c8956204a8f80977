// Deferral to the next logon and the restart of Windows.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/outcome.h"
#include "setup/core/suite_paths.h"
#include "util/op_result.h"

#include <windows.h>

#include <string>

// The deferred run's place: value kRunOnceValue of kRunOnceKey, under one of two roots.
constexpr const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char kRunOnceValue[] = "ZmtSetup";
enum class RunOnceRoot {
    Account,  // HKEY_CURRENT_USER: Windows runs it at the next logon of the account that ran the program
    Machine,  // HKEY_LOCAL_MACHINE: at the next logon of any administrator (Wine: at its restart itself)
};

// Stores the command line as value "ZmtSetup" (REG_SZ, NUL counted) of kRunOnceKey under the root, replacing
// an earlier pending one there. Done when it is stored; Failed with the registry's error, or Refused for a
// command line over kMaxStoredCommandLine characters, when nothing new is scheduled. Logged either way.
OpResult ScheduleRunOnce(const std::string& strCommandLine, RunOnceRoot root = RunOnceRoot::Account);

// The work (szWork: "install", "uninstall") deferred to the next logon, as the front end answered "files
// are in use" (InUseAnswer::RestartWindows or InUseAnswer::DeferToNextStart): strCommand with the front
// end's switches (SwitchesForDeferredRun) and, when it still fits, this run's log switch, stored under
// RunOnce (ScheduleRunOnce); for RestartWindows, Windows is asked to restart now too (RestartWindows),
// whether or not the command could be stored, as the dialogs always did; otherwise the restart is left to
// whoever started the program. The answer goes to the setup log. Deferred when the command was stored;
// Failed when it was not: nothing would do the work at the next start.
// RestartWindows is a person's answer, whose own logon finishes the work (RunOnceRoot::Account);
// DeferToNextStart answers for a deployment tool, which often runs the program as SYSTEM, an account that
// never logs on, or through a package: that deferral is the machine's (RunOnceRoot::Machine).
Outcome DeferToNextStart(const char* szWork, const std::string& strCommand, InUseAnswer answer, FrontEnd& frontEnd);

// Asks Windows to restart now: ExitWindowsEx first, then, with the shutdown privilege enabled,
// InitiateSystemShutdownA, and the privilege disabled again. When the process token cannot be opened, the
// front end shows "OpenProcessToken failed." (MessageStyle::Program) and only the first request stands.
// Returns the last error left by the final step (0 when all went well). Callers schedule first. hProcess:
// the process whose token is adjusted, this one (null shows what a token that cannot be opened does).
DWORD RestartWindows(FrontEnd& frontEnd, HANDLE hProcess = GetCurrentProcess());
