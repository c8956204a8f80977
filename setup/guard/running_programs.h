// The watched host programs, and finding and ending their processes.
//
// A program runs when a process of the setup program's own Windows session has an executable file name
// (the process entry's szExeFile) that begins with the watched name, byte-wise and case-sensitive. The
// force-close ends such a process, found by the same walk and the same rule, whatever its bitness (a
// 32-bit setup program ends a 64-bit Excel too). Another signed-in user's programs are neither found nor
// ended: they are never closed without that user being asked; a file they hold fails the install or
// uninstall like any file in use. A process whose session cannot be read (ProcessIdToSessionId needs
// query access to it) counts as another session's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct WatchedProgram {
    const char* szDisplayName;  // shown to the user
    const char* szExeName;      // matched against processes
};

// The eight watched programs, in the order they are tested. CorelDraw appears twice because matching is
// case-sensitive and its executable exists in two spellings.
extern const WatchedProgram WatchedPrograms[8];

// True when some process of this session matches strName (above). False when no snapshot can be taken.
bool IsProgramRunning(const std::string& strName);

// Terminates (exit code 0) the first process of this session that matches strName (above) and can be
// opened for termination (PROCESS_TERMINATE, the one right that needs); one process per call. False only
// when no process snapshot could be taken; true otherwise, also when nothing was terminated.
bool KillProgram(const std::string& strName);

// A process as the guard sees it.
struct RunningProcess {
    DWORD dwProcessId;
    std::string strExeFile;  // the process entry's szExeFile
    bool bSessionKnown;      // false when its session cannot be read: it counts as another session's
    DWORD dwSessionId;
};

// Every process running now, in snapshot order (Toolhelp, and ProcessIdToSessionId for each); false when no
// snapshot can be taken.
bool TakeProcessSnapshot(std::vector<RunningProcess>& arrProcesses);

// The snapshot the guard walks: TakeProcessSnapshot, or pfnSnapshot in its place (null: TakeProcessSnapshot
// again). A test puts processes of other sessions before the guard this way, which Wine, with one session,
// cannot start.
using ProcessSnapshot = bool (*)(std::vector<RunningProcess>& arrProcesses);
void SetProcessSnapshot(ProcessSnapshot pfnSnapshot);
