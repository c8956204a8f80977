#include "setup/install/install_sequence.h"

#include "setup/app/country.h"
#include "setup/install/file_placement.h"
#include "setup/install/uninstall_log.h"
#include "setup/install/uninstall_record.h"

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

bool InstallHost(InstallContext& /*context*/, HostRecord& record, HostFileList& arrUninstallItems, CStatic* pDetail,
                 CProgressCtrl* pFileBar) {
    if (record.bSelected == 0) return true;
    for (const auto& pFolder : record.arrFolders) {
        if (pFolder->strPath.empty()) continue;
        if (!InstallFilesIntoFolder(pFolder->strPath, record.strSourceFolder, record.arrFiles, arrUninstallItems,
                                    pDetail, pFileBar))
            return false;
    }
    if (pFileBar) pFileBar->SetPos(0);
    return true;
}

bool RunInstallSequence(InstallContext& context, CStatic* pStage, CStatic* pDetail, CProgressCtrl* pStageBar,
                        CProgressCtrl* pFileBar) {
    const short nSteps = static_cast<short>(sizeof kSteps / sizeof kSteps[0]);
    if (pStageBar) {
        pStageBar->SetRange(0, nSteps);
        pStageBar->SetPos(0);
    }
    for (int n = 0; n < nSteps; ++n) {
        const InstallStep& step = kSteps[n];
        if (pStage) pStage->SetWindowText(ByLanguage(step.szKorean, step.szEnglish));
        if (!InstallHost(context, context.arrHosts[step.nRecord], context.arrUninstallItems, pDetail,
                         step.bFileBar ? pFileBar : nullptr))
            return false;
        if (pStageBar) pStageBar->SetPos(n + 1);
    }
    if (!WriteUninstallRecord(kUninstallCommandLine)) return false;
    return WriteUninstallLog(context.arrUninstallItems, kUninstallLogPath);
}
