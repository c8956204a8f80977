// Runs of the setup program that the lifecycle scenarios share: a silent uninstall answered to its end, a
// run ended at once as a power cut ends it, and the test that a log on disk is never half a log.
#pragma once

#include "tests/support/suite.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lqtest {

// Runs "/D /B" (plus strMoreArgs) to its end, pressing OK in every message box it shows (the Office
// boxes of a machine without Office, the closing message). Returns the exit code, or -1 when it did not
// end within dwTimeoutMs; pCaptions, when given, receives the caption of each box answered.
int UninstallSilently(const std::string& strMoreArgs = "", std::vector<std::string>* pCaptions = nullptr,
                      DWORD dwTimeoutMs = 180000);

// The same, but the run is killed as soon as fnKillWhen() is true (checked every 50 ms): returns
// kKilled then, the exit code when the run ended first, -1 on time-out.
constexpr int kKilled = -2;
int UninstallSilentlyUntil(const std::function<bool()>& fnKillWhen, DWORD dwTimeoutMs = 180000);

// The end of a restart request, before a scenario plays the next logon. Windows restarts and only then
// runs RunOnce; Wine restarts nothing but, for ExitWindowsEx, starts wineboot to end the session, which
// asks every window then open to close. A program started before that is over (the next logon's run and
// the Office applications it starts) would be closed by it. Waits until no wineboot process is left;
// false when one still runs after dwTimeoutMs.
bool WaitForRestartRequestToEnd(DWORD dwTimeoutMs = 30000);

// What a run of the setup program showed while a deployment tool waited for it to end.
struct WatchedRun {
    int nExitCode = -1;         // -1: it did not end within the time given
    size_t nWindowsSeen = 0;    // visible top-level windows of it, at any moment (polled every 10 ms)
    bool bRestartAsked = false; // a restart of Windows was requested (Wine starts wineboot for it)
};
// Runs the setup program with strArgs to its end as a deployment tool does, with nobody to answer. A window
// that shows ends the run at once (killed, exit code -1): nobody would ever answer it.
WatchedRun RunWatchingForWindows(const std::string& strArgs, DWORD dwTimeoutMs = 120000);

// Ends the process at once, with no chance to clean up (TerminateProcess); true when it has ended.
bool KillProcess(DWORD dwProcessId);

// The path of every record of the uninstall log at strPath (the "[F:...]" values), in file order; empty
// when the log is missing.
std::vector<std::string> LoggedPaths(const std::string& strPath = kLog);

// True when the uninstall log at strPath is absent, or holds its start line first and its end line last:
// what a reader sees never stops in the middle.
bool IsCompleteUninstallLog(const std::string& strPath);

}  // namespace lqtest
