#include "setup/install/install_sequence.h"

#include "setup/core/setup_log.h"
#include "setup/install/file_placement.h"
#include "setup/record/uninstall_log_file.h"
#include "setup/record/uninstall_record.h"
#include "setup/system/restart.h"

namespace {

struct InstallStep {
    int nRecord;
    TextId stage;
    bool bFileBar;
};

// QuarkXPress comes last, after both CorelDraw add-ins.
const InstallStep kSteps[] = {
    {kHostBasicDlls, TextId::StageBasicFiles, true},
    {kHostOffice, TextId::StageOffice, false},
    {kHostPhotoshop, TextId::StagePhotoshopBeforeCS2, false},
    {kHostPhotoshopCS2, TextId::StagePhotoshopCS2, false},
    {kHostIllustrator, TextId::StageIllustrator, false},
    {kHostCorelDraw11, TextId::StageCorelDraw11, false},
    {kHostCorelDraw12, TextId::StageCorelDraw12, false},
    {kHostQuark, TextId::StageQuark, false},
};

}  // namespace

bool InstallHost(HostRecord& record, HostFileList& arrUninstallItems, FrontEnd& frontEnd, bool bFileBar) {
    if (record.bSelected == 0) {
        LogEvent("%s: not chosen; skipped", record.strEnglishName.c_str());
        return true;
    }
    if (record.arrFolders.empty()) LogEvent("%s: no destination folder; nothing to copy", record.strEnglishName.c_str());
    for (const auto& pFolder : record.arrFolders) {
        if (pFolder->strPath.empty()) continue;
        if (!InstallFilesIntoFolder(pFolder->strPath, record.strSourceFolder, record.arrFiles, arrUninstallItems,
                                    frontEnd, bFileBar))
            return false;
    }
    if (bFileBar) frontEnd.SetBarPos(ProgressBar::File, 0);
    return true;
}

bool RunInstallSequence(InstallContext& context, FrontEnd& frontEnd) {
    const short nSteps = static_cast<short>(sizeof kSteps / sizeof kSteps[0]);
    frontEnd.SetBarRange(ProgressBar::Stage, 0, nSteps);
    frontEnd.SetBarPos(ProgressBar::Stage, 0);
    LogEvent("Install sequence: %d steps", nSteps);
    for (int n = 0; n < nSteps; ++n) {
        const InstallStep& step = kSteps[n];
        frontEnd.ShowStage(step.stage);
        LogEvent("Step %d of %d: %s", n + 1, nSteps, TextIn(Language::English, step.stage).c_str());
        if (!InstallHost(context.arrHosts[step.nRecord], context.arrUninstallItems, frontEnd, step.bFileBar)) {
            // The copies made so far are recorded all the same, so that an uninstall can take them back;
            // the entry in the list of programs waits for an install that completes.
            const DWORD dwError = GetLastError();
            LogEvent("Install sequence stopped at step %d; no uninstall entry written", n + 1);
            SaveMergedUninstallLog(context.arrUninstallItems, kUninstallLogPath);
            SetLastError(dwError);
            return false;
        }
        frontEnd.SetBarPos(ProgressBar::Stage, n + 1);
    }
    const bool bEntry = WriteUninstallRecord(kUninstallCommandLine, EstimatedSizeKB(context.arrUninstallItems));
    // Written even without the entry: every copy made must stay on record.
    const bool bLog = SaveMergedUninstallLog(context.arrUninstallItems, kUninstallLogPath);
    return bEntry && bLog;
}

namespace {

// A copy that failed because another program holds the destination (a plug-in a running host loaded).
bool IsFileHeld(DWORD dwError) {
    return dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_LOCK_VIOLATION || dwError == ERROR_USER_MAPPED_FILE ||
           dwError == ERROR_ACCESS_DENIED;
}

}  // namespace

Outcome RunInstall(InstallContext& context, FrontEnd& frontEnd) {
    if (RunInstallSequence(context, frontEnd)) {
        frontEnd.ShowMessage(MessageStyle::Product, TextId::Installed);
        return Outcome::Done;
    }
    for (;;) {
        const bool bFilesHeld = IsFileHeld(GetLastError());
        LogEvent("The install failed (%s): asking whether to restart Windows, try again or cancel",
                 bFilesHeld ? "a file is in use" : "not for a file in use");
        const InUseAnswer answer = frontEnd.AskFilesInUse(TextId::InstallRefused, bFilesHeld);
        switch (answer) {
        case InUseAnswer::RestartWindows:
        case InUseAnswer::DeferToNextStart: return DeferToNextStart("install", kDeferredInstallCommand, answer, frontEnd);
        case InUseAnswer::CloseAndRetry:
            LogEvent("Answer: the programs are closed; the install runs again");
            // A retry that succeeds ends without a message, as it always has.
            if (RunInstallSequence(context, frontEnd)) return Outcome::Done;
            break;
        case InUseAnswer::Cancel: LogEvent("Answer: cancel; the install is given up"); return Outcome::Failed;
        }
    }
}
