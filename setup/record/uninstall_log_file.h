// The uninstall log on the installed machine: written so that no moment leaves half a log, read with a
// bound on its size.
#pragma once

#include "setup/core/install_context.h"
#include "util/op_result.h"

#include <string>

// Gives strPath exactly FormatUninstallLog's bytes in one step (ReplaceFileInOneStep): a run killed at any
// moment leaves either the old complete log or the new complete log; a link standing at the log's name, or
// at its temporary file's, is refused. Anything but Done leaves the old log as it was.
OpResult ReplaceUninstallLog(const HostFileList& arrItems, const std::string& strPath);

// The previous log's honoured records (ReadHonouredUninstallLog: a refused one is never carried over)
// merged after this run's (MergeWithPreviousLog, with the file system's answer to "does it still exist"),
// then written with ReplaceUninstallLog. Writes nothing, and reports Done, when there is no record to keep
// and no previous log. A previous log that cannot be read (also one over kMaxUninstallLogBytes) counts as
// none.
OpResult SaveMergedUninstallLog(const HostFileList& arrThisRun, const std::string& strPath);
