// The uninstall log: the one file that carries an install's result to a later uninstall.
//
// Format (text in the system's ANSI code page, paths stored unchanged):
//   [UnInstall][E]
//   [R:%d][E],[U:%d][E],[F:%s][E]      one record per copied file, in copy order
//   [UnInstall End][E]
// Every line ends in the three bytes 0D 0D 0A: the log was always written as "text\r\n" through a text-mode
// stream, which turns the line feed into another carriage return plus line feed. Earlier logs on customers'
// machines look like that, so the writer keeps producing exactly those bytes, and the reader accepts that
// ending as well as a plain 0D 0A.
//
// Portable: bytes in, bytes out; the file on the machine is uninstall_log_file.h's. Both sides live here
// so that the format is written and read by one piece of code and can be tested and fuzzed on its own.
#pragma once

#include "setup/core/install_context.h"
#include "setup/core/suite_paths.h"  // kUninstallLogPath, the log's fixed place

#include <cstddef>
#include <functional>
#include <string>

// A log larger than this is not read at all: it is no log of an install. A real one holds about 30 records
// in 2 KB; 64 KB is room for some 400 records of long paths, and a bound on what a log someone planted can
// make the elevated uninstall read, hold and work through.
constexpr size_t kMaxUninstallLogBytes = 64u << 10;

// The bytes of a whole log for these items: start line, one record per item whose name is not empty
// (duplicates included, in list order), end line.
std::string FormatUninstallLog(const HostFileList& arrItems);

// What an install writes: this run's records (arrThisRun, in copy order, duplicates kept), then every record
// of the previous log (arrPrevious, in its order, with its flags) whose path this run did not write
// (compared case-insensitively) and whose file fnFileExists still finds, each path once. So a reinstall with
// fewer hosts, or an install that failed half-way, never drops a file an earlier install placed from the
// log. Records with an empty name are left out of the previous log's part.
HostFileList MergeWithPreviousLog(const HostFileList& arrThisRun, const HostFileList& arrPrevious,
                                  const std::function<bool(const std::string&)>& fnFileExists);

// Appends the records of every section of the text to arrItems, in file order.
// Lines are compared by prefix, case-sensitively: lines before "[UnInstall][E]" are ignored; within a
// section "[R:" starts a record and "[UnInstall End][E]" closes the section; anything else is ignored.
// A section without an end line runs to the end of the text. R and U are 1 only when their value reads
// as the number 1 ("1", "01", " 1 "); F is taken as text.
void ParseUninstallLog(const std::string& strText, HostFileList& arrItems);

// The value between the first strOpen of the line and the first strClose after it, without leading and
// trailing white space. Empty when strClose does not follow, and when strOpen is not in the line at all.
std::string ExtractLogField(const std::string& strLine, const std::string& strOpen, const std::string& strClose);

// The integer reading of a field: optional white space and sign, then the leading decimal digits; stops at
// the first other character; 0 when there are no digits. Saturates instead of overflowing.
long ReadLogInteger(const std::string& strValue);
