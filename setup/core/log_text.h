// Text rules of the setup log that need no operating system: the layout of a line and the /LOG switch
// that a deferred run repeats. Portable.
#pragma once

#include <string>

struct LogTime {
    int nYear = 0, nMonth = 0, nDay = 0;
    int nHour = 0, nMinute = 0, nSecond = 0, nMilliseconds = 0;
};

// One line of the log: "YYYY-MM-DD hh:mm:ss.mmm " + strText + CR LF. Every line break inside the text (a
// run of CR and LF) becomes one blank, so that one event is always one line.
std::string FormatLogLine(const LogTime& time, const std::string& strText);

// The switch as a deferred run must repeat it to append to the same file: "/LOG" for the default place,
// otherwise "/LOG=" and the full path, in double quotes when it holds a blank.
std::string LogSwitchText(const std::string& strFullPath, bool bDefaultPlace);

// strCommand with strSwitch appended after a blank, when there is a switch and the whole still fits the
// kMaxStoredCommandLine characters a stored command may have; otherwise strCommand unchanged, so that the log never
// keeps a deferral from being stored.
std::string AppendLogSwitch(const std::string& strCommand, const std::string& strSwitch);

// The first bytes of a new log: the UTF-8 byte-order mark.
constexpr const char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
