#include "setup/core/log_text.h"

#include "setup/core/suite_paths.h"

#include <cstdio>

std::string FormatLogLine(const LogTime& time, const std::string& strText) {
    char szStamp[40];
    std::snprintf(szStamp, sizeof szStamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d ", time.nYear, time.nMonth, time.nDay,
                  time.nHour, time.nMinute, time.nSecond, time.nMilliseconds);
    std::string strLine = szStamp;
    bool bInBreak = false;
    for (char c : strText) {
        const bool bBreak = c == '\r' || c == '\n';
        if (!bBreak) strLine += c;
        else if (!bInBreak) strLine += ' ';
        bInBreak = bBreak;
    }
    // A text that ended in a line break leaves blanks, not an empty-looking tail.
    while (!strLine.empty() && strLine.back() == ' ') strLine.pop_back();
    return strLine + "\r\n";
}

std::string LogSwitchText(const std::string& strFullPath, bool bDefaultPlace) {
    if (bDefaultPlace) return "/LOG";
    if (strFullPath.find(' ') != std::string::npos || strFullPath.find('\t') != std::string::npos)
        return "/LOG=\"" + strFullPath + "\"";
    return "/LOG=" + strFullPath;
}

std::string AppendLogSwitch(const std::string& strCommand, const std::string& strSwitch) {
    if (strSwitch.empty()) return strCommand;
    std::string strWith = strCommand + " " + strSwitch;
    return strWith.size() <= kMaxStoredCommandLine ? strWith : strCommand;
}
