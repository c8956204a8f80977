// The setup log's frame of a run: what ran where (the header) and how it ended.
#pragma once

#include "setup/app/switches.h"
#include "setup/system/library_loading.h"

// Opens the log the command line asks for (nothing without "/LOG") and writes the run's header: product and
// file version, mode and command line, Windows version and whether it is 64-bit, country code and ANSI code
// page, user name and whether the process is elevated, and how far the DLL search was restricted.
void StartRunLog(const CommandLine& commandLine, DllSearch dllSearch, int nCountryCode);

// The run's last line: its exit code and what it means; then the log is closed.
void EndRunLog(int nExitCode);
