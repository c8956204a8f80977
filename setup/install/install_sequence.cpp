#include "setup/install/install_sequence.h"

#include "setup/core/hosts.h"
#include "setup/core/setup_log.h"
#include "setup/install/file_placement.h"
#include "setup/record/uninstall_log_file.h"
#include "setup/record/uninstall_record.h"
#include "setup/system/restart.h"

OpResult InstallHost(HostRecord& record, HostFileList& arrUninstallItems, FrontEnd& frontEnd, bool bFileBar) {
    if (record.bSelected == 0) {
        LogEvent("%s: not chosen; skipped", record.LogName().c_str());
        return OpResult::Done();
    }
    if (record.arrFolders.empty()) LogEvent("%s: no destination folder; nothing to copy", record.LogName().c_str());
    for (const auto& pFolder : record.arrFolders) {
        if (pFolder->strPath.empty()) continue;
        const OpResult result = InstallFilesIntoFolder(pFolder->strPath, record.strSourceFolder, record.arrFiles,
                                                       arrUninstallItems, frontEnd, bFileBar);
        if (!result.IsDone()) return result;
    }
    if (bFileBar) frontEnd.SetBarPos(ProgressBar::File, 0);
    return OpResult::Done();
}

OpResult RunInstallSequence(InstallContext& context, FrontEnd& frontEnd) {
    const short nSteps = static_cast<short>(std::size(kHosts));
    frontEnd.SetBarRange(ProgressBar::Stage, 0, nSteps);
    frontEnd.SetBarPos(ProgressBar::Stage, 0);
    LogEvent("Install sequence: %d steps", nSteps);
    for (int n = 0; n < nSteps; ++n) {
        const HostDefinition& host = kHosts[static_cast<size_t>(n)];
        frontEnd.ShowStage(host.stage);
        LogEvent("Step %d of %d: %s", n + 1, nSteps, TextIn(Language::English, host.stage).c_str());
        const OpResult result =
            InstallHost(context.arrHosts[host.nIndex], context.arrUninstallItems, frontEnd, host.bFileBar);
        if (!result.IsDone()) {
            // The copies made so far are recorded all the same, so that an uninstall can take them back;
            // the entry in the list of programs waits for an install that completes.
            LogEvent("Install sequence stopped at step %d; no uninstall entry written", n + 1);
            SaveMergedUninstallLog(context.arrUninstallItems, kUninstallLogPath);
            return result;
        }
        frontEnd.SetBarPos(ProgressBar::Stage, n + 1);
    }
    const OpResult entry = WriteUninstallRecord(kUninstallCommandLine, EstimatedSizeKB(context.arrUninstallItems));
    // Written even without the entry: every copy made must stay on record.
    const OpResult log = SaveMergedUninstallLog(context.arrUninstallItems, kUninstallLogPath);
    return entry.IsDone() ? log : entry;
}

Outcome RunInstall(InstallContext& context, FrontEnd& frontEnd) {
    OpResult result = RunInstallSequence(context, frontEnd);
    if (result.IsDone()) {
        frontEnd.ShowMessage(MessageStyle::Product, TextId::Installed);
        return Outcome::Done;
    }
    for (;;) {
        const bool bFilesHeld = result.status == OpStatus::InUse;
        LogEvent("The install failed (%s): asking whether to restart Windows, try again or cancel",
                 bFilesHeld ? "a file is in use" : "not for a file in use");
        const InUseAnswer answer = frontEnd.AskFilesInUse(TextId::InstallRefused, bFilesHeld);
        switch (answer) {
        case InUseAnswer::RestartWindows:
        case InUseAnswer::DeferToNextStart: return DeferToNextStart("install", kDeferredInstallCommand, answer, frontEnd);
        case InUseAnswer::CloseAndRetry:
            LogEvent("Answer: the programs are closed; the install runs again");
            // A retry that succeeds ends without a message, as it always has.
            result = RunInstallSequence(context, frontEnd);
            if (result.IsDone()) return Outcome::Done;
            break;
        case InUseAnswer::Cancel: LogEvent("Answer: cancel; the install is given up"); return Outcome::Failed;
        }
    }
}
