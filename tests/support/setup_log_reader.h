// The setup log as a scenario reads it. A scenario binary runs once without the log and once more with it:
// the ctest run that sets LQ_SETUP_LOG (a Windows path) wants the program started with "/LOG=<path>", and
// then checks the lines that matter in that file.
#pragma once

#include <string>
#include <vector>

namespace lqtest {

// The log path this run asks for; empty when the run is without the log.
std::string SetupLogPath();
// " /LOG=<path>" (the path in quotes when it holds a blank) to append to the program's arguments, or ""
// when the run is without the log. Creates the log's folder.
std::string SetupLogSwitch();

// The log's lines, converted from UTF-8 to the machine's ANSI code page (as the test's own literals are),
// without their time stamps and line ends. Empty when the file is missing.
std::vector<std::string> SetupLogLines(const std::string& strPath);
// True when the file starts with the UTF-8 byte-order mark and every line ends in CR LF.
bool IsWellFormedSetupLog(const std::string& strPath);
// Lines that contain strPart, joined by "\n", for failure messages and counting.
std::vector<std::string> LinesWith(const std::vector<std::string>& arrLines, const std::string& strPart);

// The system's message text for a Windows error, as the log quotes it.
std::string SystemErrorMessage(unsigned long dwError);

}  // namespace lqtest
