#include "setup/record/uninstall_log_file.h"

#include "setup/core/setup_log.h"
#include "setup/record/honoured_records.h"
#include "setup/record/uninstall_log.h"
#include "util/file_ops.h"

OpResult ReplaceUninstallLog(const HostFileList& arrItems, const std::string& strPath) {
    return ReplaceFileInOneStep(strPath, FormatUninstallLog(arrItems));
}

OpResult SaveMergedUninstallLog(const HostFileList& arrThisRun, const std::string& strPath) {
    HostFileList arrPrevious;
    const bool bPrevious = ReadHonouredUninstallLog(strPath, arrPrevious).IsDone();
    const HostFileList arrMerged = MergeWithPreviousLog(arrThisRun, arrPrevious, FileExists);
    const size_t nCarried = arrMerged.size() - arrThisRun.size();
    if (arrMerged.empty() && !bPrevious) {
        LogEvent("Uninstall log %s not written: nothing was copied and there is no earlier log", strPath.c_str());
        return OpResult::Done();
    }
    const OpResult result = ReplaceUninstallLog(arrMerged, strPath);
    if (!result.IsDone()) {
        LogEvent("Uninstall log %s not written: %s", strPath.c_str(), DescribeResult(result).c_str());
        return result;
    }
    LogEvent("Uninstall log %s written: %u record(s) of this run, %u carried over from the earlier log",
             strPath.c_str(), static_cast<unsigned>(arrThisRun.size()), static_cast<unsigned>(nCarried));
    return result;
}
