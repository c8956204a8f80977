// The running-program guard: before files are copied or deleted, no watched host program may run.
//
// A program runs when a process of the setup program's own Windows session has an executable file name
// (the process entry's szExeFile) that begins with the watched name, byte-wise and case-sensitive. The
// force-close ends such a process, found by the same walk and the same rule, whatever its bitness (a
// 32-bit setup program ends a 64-bit Excel too). Another signed-in user's programs are neither found nor
// ended: they are never closed without that user being asked; a file they hold fails the install or
// uninstall like any file in use. A process whose session cannot be read (ProcessIdToSessionId needs
// query access to it) counts as another session's.
// Everything runs on the calling (user-interface) thread; nothing is kept between calls.
#pragma once

#include "setup/core/front_end.h"

#include <string>

struct WatchedProgram {
    const char* szDisplayName;  // shown to the user
    const char* szExeName;      // matched against processes
};

// The eight watched programs, in the order they are tested. CorelDraw appears twice because matching is
// case-sensitive and its executable exists in two spellings.
extern const WatchedProgram WatchedPrograms[8];

// Asks about every watched program in table order. True when none runs any more; false as soon as the
// user cancels (later rows are not tested).
bool CheckRunningPrograms(FrontEnd& frontEnd);

// While strExeName runs, asks the front end whether to force it closed, naming strDisplayName; a
// force-close is followed by a 2000 ms pause and a new test. No limit on the passes. True when the
// program does not (or no longer) run, false when the user cancelled or could not be asked.
bool PromptCloseProgram(const std::string& strExeName, const std::string& strDisplayName, FrontEnd& frontEnd);

// The guard's message for one program, in the language of countryCode (HTML subset).
std::string ProgramKillMessage(const std::string& strDisplayName);

// True when some process of this session matches strName (above). False when no snapshot can be taken.
bool IsProgramRunning(const std::string& strName);

// Terminates (exit code 0) the first process of this session that matches strName (above) and can be
// opened for termination (PROCESS_TERMINATE, the one right that needs); one process per call. False only
// when no process snapshot could be taken; true otherwise, also when nothing was terminated.
bool KillProgram(const std::string& strName);
