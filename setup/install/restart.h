// Deferral to the next logon and the restart of Windows.
#pragma once

#include <windows.h>

#include <string>

constexpr const char* kDeferredInstallCommand = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /B";
constexpr const char* kDeferredUninstallCommand = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D /B";

// Stores the command line as HKEY_CURRENT_USER "Software\Microsoft\Windows\CurrentVersion\RunOnce"
// value "ZmtSetup" (REG_SZ, NUL counted), replacing an earlier pending one. Nothing is reported; a
// failure, or a command line over 1023 characters, leaves nothing new scheduled.
void ScheduleRunOnce(const std::string& strCommandLine);

// Asks Windows to restart now: ExitWindowsEx first, then, with the shutdown privilege enabled,
// InitiateSystemShutdownA. Returns the last error left by the final step (0 when all went well).
// Shows "OpenProcessToken failed." when the process token cannot be opened. Callers schedule first.
DWORD RestartWindows();
