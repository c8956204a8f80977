#include "setup/install/install_sequence.h"

#include "setup/core/country.h"
#include "setup/core/setup_log.h"
#include "setup/install/file_placement.h"
#include "setup/record/uninstall_log_file.h"
#include "setup/record/uninstall_record.h"

namespace {

struct InstallStep {
    int nRecord;
    const char* szKorean;
    const char* szEnglish;
    bool bFileBar;
};

// QuarkXPress comes last, after both CorelDraw add-ins.
const InstallStep kSteps[] = {
    {kHostBasicDlls, "기본파일 설치중....", "Copy Basic File ....", true},
    {kHostOffice, "Microsoft Office....", "Microsoft Office....", false},
    {kHostPhotoshop, "포토샵 CS2 이전버전....", "PhotoShop Plug-In (CS2 Before)....", false},
    {kHostPhotoshopCS2, "포토샵 CS2 이후버전....", "PhotoShop Plug-In (CS2 After)....", false},
    {kHostIllustrator, "일러스트레이터....", "Illustrator Plug-In....", false},
    {kHostCorelDraw11, "코렐드로우11....", "CorelDraw11 Add-In....", false},
    {kHostCorelDraw12, "코렐드로우12....", "CorelDraw12 Add-In....", false},
    {kHostQuark, "쿽익스프레스....", "Quark Express Xtention....", false},
};

}  // namespace

bool InstallHost(InstallContext& /*context*/, HostRecord& record, HostFileList& arrUninstallItems, FrontEnd& frontEnd,
                 bool bFileBar) {
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
        frontEnd.ShowStage(ByLanguage(step.szKorean, step.szEnglish));
        LogEvent("Step %d of %d: %s", n + 1, nSteps, step.szEnglish);
        if (!InstallHost(context, context.arrHosts[step.nRecord], context.arrUninstallItems, frontEnd,
                         step.bFileBar)) {
            // The copies made so far are recorded all the same, so that an uninstall can take them back;
            // the entry in the list of programs waits for an install that completes.
            LogEvent("Install sequence stopped at step %d; no uninstall entry written", n + 1);
            SaveMergedUninstallLog(context.arrUninstallItems, kUninstallLogPath);
            return false;
        }
        frontEnd.SetBarPos(ProgressBar::Stage, n + 1);
    }
    const bool bEntry = WriteUninstallRecord(kUninstallCommandLine);
    // Written even without the entry: every copy made must stay on record.
    const bool bLog = SaveMergedUninstallLog(context.arrUninstallItems, kUninstallLogPath);
    return bEntry && bLog;
}
