// Writing the uninstall log on the installed machine so that no moment leaves half a log: the new log is
// written and flushed beside the old one, then takes its place in one step.
#pragma once

#include "setup/core/install_context.h"

#include <string>

// Writes the log to strPath + ".new" (WriteUninstallLog), flushes it to the disk, then replaces strPath
// with it (MoveFileExA, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). A run killed at any moment
// leaves either the old complete log or the new complete log. False when any step failed; the old log is
// then untouched, the ".new" file removed, and GetLastError() tells why.
bool ReplaceUninstallLog(const HostFileList& arrItems, const std::string& strPath);

// The previous log's honoured records (ReadHonouredUninstallLog: a refused one is never carried over)
// merged after this run's (MergeWithPreviousLog, with the file system's
// answer to "does it still exist"), then written with ReplaceUninstallLog. Writes nothing, and reports
// true, when there is no record to keep and no previous log.
bool SaveMergedUninstallLog(const HostFileList& arrThisRun, const std::string& strPath);
