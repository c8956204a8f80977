#include "setup/guard/program_guard.h"

#include "setup/core/setup_log.h"
#include "setup/guard/running_programs.h"

#include <windows.h>

bool CheckRunningPrograms(FrontEnd& frontEnd) {
    LogEvent("Guard: looking for running host programs");
    for (const WatchedProgram& program : WatchedPrograms) {
        if (!PromptCloseProgram(program.szExeName, program.szDisplayName, frontEnd)) {
            LogEvent("Guard: stopped; %s still runs", program.szExeName);
            return false;
        }
    }
    LogEvent("Guard: no watched program runs");
    return true;
}

bool PromptCloseProgram(const std::string& strExeName, const std::string& strDisplayName, FrontEnd& frontEnd) {
    for (;;) {
        if (!IsProgramRunning(strExeName)) return true;
        LogEvent("Guard: %s (%s) is running; asking the user", strDisplayName.c_str(), strExeName.c_str());
        if (frontEnd.AskCloseProgram(strDisplayName) == RunningProgramAnswer::Cancel) {
            LogEvent("Guard: the user cancelled");
            return false;
        }
        LogEvent("Guard: the user chose to force %s closed", strExeName.c_str());
        KillProgram(strExeName);
        Sleep(2000);  // give the terminated process time to leave the process list
    }
}
