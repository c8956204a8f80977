#include "setup/guard/program_guard.h"

#include "setup/core/country.h"
#include "setup/core/setup_log.h"

#include <windows.h>

#include <cstdio>

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

std::string ProgramKillMessage(const std::string& strDisplayName) {
    const char* szFirstLine = ByLanguage("현재 <font size=3 color=blue><b>%s</b></font>가 실행중 입니다.\r\n",
                                         "Currently running <font size=3 color=blue><b>%s</b></font> program.\r\n");
    int nLength = std::snprintf(nullptr, 0, szFirstLine, strDisplayName.c_str());
    std::string strMessage(static_cast<size_t>(nLength) + 1, '\0');
    std::snprintf(&strMessage[0], strMessage.size(), szFirstLine, strDisplayName.c_str());
    strMessage.resize(static_cast<size_t>(nLength));
    if (IsKorean()) {
        strMessage += "실행중인 프로그램을 종료하여야 프로그램을 설치/삭제 할 수 있습니다.\r\n";
        strMessage += "만약 보관할 데이터가 있으면 저장후 실행중인 프로그램을 종료하십시요.\r\n";
        strMessage += "실행중인 프로그램을 자동 종료하시려면 \"실행중인 프로그램 종료하기\" 를\r\n";
        strMessage += "클릭하십시요. 설치 또는 삭제를 취소 하시려면 \"취소\" 버튼을 클릭하십시요.\r\n";
    } else {
        strMessage += "You can install or delete while close current program.\r\n";
        strMessage += "Program will be closed if you click  \"Exit program without notice\" button.\r\n";
        strMessage += "Save data and exit. \r\n";
        strMessage += "If you want to cancel , Please click \"Cancel\" button. \r\n";
    }
    return strMessage;
}

bool PromptCloseProgram(const std::string& strExeName, const std::string& strDisplayName, FrontEnd& frontEnd) {
    for (;;) {
        if (!IsProgramRunning(strExeName)) return true;
        LogEvent("Guard: %s (%s) is running; asking the user", strDisplayName.c_str(), strExeName.c_str());
        if (frontEnd.AskCloseProgram(ProgramKillMessage(strDisplayName)) == RunningProgramAnswer::Cancel) {
            LogEvent("Guard: the user cancelled");
            return false;
        }
        LogEvent("Guard: the user chose to force %s closed", strExeName.c_str());
        KillProgram(strExeName);
        Sleep(2000);  // give the terminated process time to leave the process list
    }
}
