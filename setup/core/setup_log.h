// The setup log: one line per decision and action of a run, for the people who deploy the suite ("which
// file was locked, which registration failed, which host folder was found, why a host was skipped").
//
// Written only when the command line asks for it ("/LOG" or "/LOG=path"); until OpenSetupLog succeeds
// every call here does nothing. The file is UTF-8 with a byte-order mark, lines end in CR LF, every run
// appends. A log that cannot be opened or written is skipped silently: logging never changes what the
// program does or how it ends. One process-wide log; the setup program has a single thread.
#pragma once

#include "util/op_result.h"

#include <windows.h>

#include <string>

// Opens strPath for appending (a new file starts with the byte-order mark). bDefaultPlace: the path is
// the default one, "%TEMP%\Letterquarry Setup.log", which a deferred run names by "/LOG" alone.
// The file is proven (util/proven_file.h) and held for the run. False when it cannot be opened, or is
// refused (a link, or a folder on its way that is one; a file with other hard links): nothing is logged.
bool OpenSetupLog(const std::string& strPath, bool bDefaultPlace);
void CloseSetupLog();
bool IsSetupLogOpen();

// The default place: the user's temporary folder + "Letterquarry Setup.log".
std::string DefaultSetupLogPath();

// One event. The text is ANSI in the system code page (paths, Korean names), printf-style. It may change the
// thread's last error: failures travel as values (util/op_result.h), not through it.
void LogEvent(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

// "error 32 (The process cannot access the file ...)": the number and the system's own message text.
std::string DescribeError(DWORD dwError);
// "0x80070002 (The system cannot find the file specified.)"; the message is left out when the system
// has none for the code.
std::string DescribeResult(HRESULT hr);

// What an operation did, for a line of the log: "error 32 (...)" for a file in use or a failure, as
// DescribeError; "refused: <why>" for a refusal; "done".
std::string DescribeResult(const OpResult& result);

// strCommand with this run's log switch appended, for a deferred run that must append to the same log;
// strCommand unchanged when no log is open (or the switch would not fit a stored command).
std::string CommandWithLogSwitch(const std::string& strCommand);
