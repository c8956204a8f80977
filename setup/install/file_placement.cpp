#include "setup/install/file_placement.h"

#include "setup/core/setup_log.h"
#include "setup/record/honoured_records.h"
#include "setup/system/com_registration.h"
#include "util/file_ops.h"

OpResult InstallFilesIntoFolder(const std::string& strDestinationFolder, const std::string& strSourceFolder,
                                const HostFileList& arrFiles, HostFileList& arrUninstallItems, FrontEnd& frontEnd,
                                bool bFileBar) {
    const OsVersion osVersion;
    const RecordPlaces places = ThisMachinesRecordPlaces();
    const short nCount = static_cast<short>(arrFiles.size());
    if (bFileBar) frontEnd.SetBarRange(ProgressBar::File, 0, nCount);
    for (size_t i = 0; i < arrFiles.size(); ++i) {
        const HostFileEntry& file = *arrFiles[i];
        if (bFileBar) frontEnd.SetBarPos(ProgressBar::File, static_cast<int>(i));
        if (file.strName.empty()) continue;
        const std::string strSource = strSourceFolder + "\\" + file.strName;
        const std::string strDestination = strDestinationFolder + "\\" + file.strName;
        frontEnd.ShowDetail(file.strName);
        // Only where the uninstall will take it back, and never into a system folder, whatever link a
        // folder on the way has become.
        std::string strReal;
        const RecordVerdict verdict = JudgePlacement(strDestination, places, nullptr, &strReal);
        if (verdict != RecordVerdict::Honoured) {
            LogEvent("Not copied: %s: %s%s", strDestination.c_str(), DescribeVerdict(verdict),
                     strReal.empty() ? "" : (" (really " + strReal + ")").c_str());
            return OpResult::Refused(DescribeVerdict(verdict));
        }
        ProvenFile placed;
        const OpResult copied = CopyFileInOneStep(strSource, strDestination, &placed);
        if (!copied.IsDone()) {
            LogEvent("Copy failed: %s -> %s: %s", strSource.c_str(), strDestination.c_str(),
                     DescribeResult(copied).c_str());
            return copied;
        }
        LogEvent("Copied %s -> %s", strSource.c_str(), strDestination.c_str());
        if (osVersion.IsVistaOrLater()) SetStandardFileAccess(placed);
        // Held since the copy: what is loaded here are the shipped copy's bytes.
        if (file.bRegister == 1) RegisterServer(placed.Path(), false);
        placed.Close();
        auto pItem = std::make_unique<HostFileEntry>();
        pItem->bRegister = file.bRegister;
        pItem->bUnregister = file.bUnregister;
        pItem->strName = strDestination;
        arrUninstallItems.push_back(std::move(pItem));
    }
    if (bFileBar) frontEnd.SetBarPos(ProgressBar::File, nCount);
    return OpResult::Done();
}
