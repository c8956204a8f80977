// The running-program guard: before files are copied or deleted, no watched host program may run.
//
// Detection and termination deliberately use different rules: a program counts as running when a
// process's executable file name begins with the watched name (byte-wise, case-sensitive); a force-close
// ends the first process that has a module named exactly like it (case-sensitive), one per call.
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

// True when some process's executable file name begins with strName. False when no snapshot can be taken.
bool IsProgramRunning(const std::string& strName);

// Terminates (exit code 0) the first process that has a module named exactly strName and can be opened
// with all access. False only when no process snapshot could be taken; true otherwise, also when
// nothing was terminated.
bool KillProgram(const std::string& strName);

// True when process dwProcessId has a module whose base name equals strName exactly. False when its
// modules cannot be listed.
bool ProcessHasModule(unsigned long dwProcessId, const std::string& strName);
