// Deferral to the next logon and the restart of Windows.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/outcome.h"
#include "setup/core/suite_paths.h"

#include <windows.h>

#include <string>

// Stores the command line as HKEY_CURRENT_USER "Software\Microsoft\Windows\CurrentVersion\RunOnce"
// value "ZmtSetup" (REG_SZ, NUL counted), replacing an earlier pending one. Nothing is reported; a
// failure, or a command line over kMaxStoredCommandLine characters, leaves nothing new scheduled.
void ScheduleRunOnce(const std::string& strCommandLine);

// The work (szWork: "install", "uninstall") deferred to the next logon, as the front end answered "files
// are in use" (InUseAnswer::RestartWindows or InUseAnswer::DeferToNextStart): strCommand with the front
// end's switches (SwitchesForDeferredRun) and, when it still fits, this run's log switch, stored under
// RunOnce (ScheduleRunOnce); for RestartWindows, Windows is asked to restart now too (RestartWindows),
// otherwise the restart is left to whoever started the program. The answer goes to the setup log.
// Returns Outcome::Deferred.
Outcome DeferToNextStart(const char* szWork, const std::string& strCommand, InUseAnswer answer,
                         const FrontEnd& frontEnd);

// Asks Windows to restart now: ExitWindowsEx first, then, with the shutdown privilege enabled
// (EnablePrivilege, which logs why it could not), InitiateSystemShutdownA, and the privilege disabled
// again. Returns the last error left by the final step (0 when all went well). Shows nothing. Callers
// schedule first.
DWORD RestartWindows();
