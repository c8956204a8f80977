// The uninstall log's records as the elevated setup program may act on them: the record rule
// (record_rule.h) applied with this machine's places, and to the real location of each file that exists.
#pragma once

#include "setup/core/install_context.h"
#include "setup/record/record_rule.h"
#include "util/op_result.h"

#include <string>

// The suite's folder "C:\ZmtPlugin\bin", and the Windows folder with its system folders as this machine
// names them (the per-user Windows folder of a terminal server too, and the 32-bit system folder of a
// 64-bit Windows).
RecordPlaces ThisMachinesRecordPlaces();

// The rule on strPath as written, then (before any file on it is opened) the drive: one mapped to a share
// is a network path; then, where the file exists (or, for a file not there yet, its folder),
// again on its real location: short names expanded and, from Vista on, links and junctions followed, so a
// folder swapped for a link to a system folder is refused. *ppFile as JudgeRecordPath gives it; *pReal
// (when given) receives the real location when it was judged, else the empty text.
RecordVerdict JudgePlacement(const std::string& strPath, const RecordPlaces& places, const SuiteFile** ppFile = nullptr,
                             std::string* pReal = nullptr);

// Removes from arrItems, from index nFirst on, every record the rule refuses, each with one setup-log line
// that names it and the reason; nothing is done with it. An honoured record takes the flags of the suite's
// table. Judged by JudgePlacement.
void KeepHonouredRecords(HostFileList& arrItems, size_t nFirst = 0);

// Reads the log (proven, at most kMaxUninstallLogBytes: a larger one is not read at all and is Failed with
// ERROR_FILE_TOO_LARGE), appends its records to arrItems (ParseUninstallLog), then KeepHonouredRecords over
// what it appended. Anything but Done leaves arrItems as it was: the log counts as missing.
OpResult ReadHonouredUninstallLog(const std::string& strPath, HostFileList& arrItems);
