// Deferral to the next logon and the restart of Windows.
#pragma once

#include "setup/core/suite_paths.h"

#include <windows.h>

#include <string>

// Stores the command line as HKEY_CURRENT_USER "Software\Microsoft\Windows\CurrentVersion\RunOnce"
// value "ZmtSetup" (REG_SZ, NUL counted), replacing an earlier pending one. Nothing is reported; a
// failure, or a command line over kMaxStoredCommandLine characters, leaves nothing new scheduled.
void ScheduleRunOnce(const std::string& strCommandLine);

// The work deferred to the next logon: strCommand, with this run's log switch when it still fits, stored
// under RunOnce (ScheduleRunOnce); with bRestart, Windows is asked to restart now too (RestartWindows).
void DeferToNextStart(const std::string& strCommand, bool bRestart);

// Asks Windows to restart now: ExitWindowsEx first, then, with the shutdown privilege enabled
// (EnablePrivilege, which logs why it could not), InitiateSystemShutdownA, and the privilege disabled
// again. Returns the last error left by the final step (0 when all went well). Shows nothing. Callers
// schedule first.
DWORD RestartWindows();
