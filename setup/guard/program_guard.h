// The running-program guard: before files are copied or deleted, no watched host program may run. For each
// program of the watched table that runs (running_programs.h), it asks its front end whether to force the
// program closed, and goes on only when none runs any more. Everything runs on the calling (user-interface)
// thread; nothing is kept between calls.
#pragma once

#include "setup/core/front_end.h"

#include <string>

// Asks about every watched program in table order. True when none runs any more; false as soon as the
// user cancels (later rows are not tested).
bool CheckRunningPrograms(FrontEnd& frontEnd);

// While strExeName runs, asks the front end whether to force it closed, naming strDisplayName; a
// force-close is followed by a 2000 ms pause and a new test. No limit on the passes. True when the
// program does not (or no longer) run, false when the user cancelled or could not be asked.
bool PromptCloseProgram(const std::string& strExeName, const std::string& strDisplayName, FrontEnd& frontEnd);
