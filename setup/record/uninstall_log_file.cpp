#include "setup/record/uninstall_log_file.h"

#include "setup/core/setup_log.h"
#include "setup/record/honoured_records.h"
#include "setup/record/uninstall_log.h"
#include "util/path_control.h"
#include "util/scoped_handles.h"

#include <windows.h>

namespace {

// Undoes a half-done replacement, keeping the error that stopped it.
bool Abandon(const std::string& strTemp, DWORD dwError) {
    DeleteFileA(strTemp.c_str());
    SetLastError(dwError);
    return false;
}

}  // namespace

bool ReplaceUninstallLog(const HostFileList& arrItems, const std::string& strPath) {
    // Beside the log, so that the replacement is a rename within one volume.
    const std::string strTemp = PathControl::ReplacementOf(strPath);
    if (!WriteUninstallLog(arrItems, strTemp)) return Abandon(strTemp, GetLastError());
    // The runtime's flush only hands the bytes to Windows; the disk must have them before the rename.
    DWORD dwFlushError = ERROR_SUCCESS;
    {
        ScopedHandle file(CreateFileA(strTemp.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file.IsValid() || !FlushFileBuffers(file.Get())) dwFlushError = GetLastError();
    }
    // Only once the file is closed can it be removed.
    if (dwFlushError != ERROR_SUCCESS) return Abandon(strTemp, dwFlushError);
    if (!MoveFileExA(strTemp.c_str(), strPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Abandon(strTemp, GetLastError());
    return true;
}

bool SaveMergedUninstallLog(const HostFileList& arrThisRun, const std::string& strPath) {
    HostFileList arrPrevious;
    const bool bPrevious = ReadHonouredUninstallLog(strPath, arrPrevious);
    const PathControl pathControl;
    const HostFileList arrMerged = MergeWithPreviousLog(
        arrThisRun, arrPrevious, [&](const std::string& strFile) { return pathControl.FileExists(strFile); });
    const size_t nCarried = arrMerged.size() - arrThisRun.size();
    if (arrMerged.empty() && !bPrevious) {
        LogEvent("Uninstall log %s not written: nothing was copied and there is no earlier log", strPath.c_str());
        return true;
    }
    if (!ReplaceUninstallLog(arrMerged, strPath)) {
        LogEvent("Uninstall log %s not written: %s", strPath.c_str(), DescribeError(GetLastError()).c_str());
        return false;
    }
    LogEvent("Uninstall log %s written: %u record(s) of this run, %u carried over from the earlier log",
             strPath.c_str(), static_cast<unsigned>(arrThisRun.size()), static_cast<unsigned>(nCarried));
    return true;
}
