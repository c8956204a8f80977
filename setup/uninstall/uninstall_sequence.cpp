#include "setup/uninstall/uninstall_sequence.h"

#include "setup/core/country.h"
#include "setup/core/ini.h"
#include "setup/core/setup_log.h"
#include "setup/system/com_registration.h"
#include "setup/system/restart.h"
#include "setup/record/honoured_records.h"
#include "setup/record/uninstall_record.h"
#include "setup/uninstall/office_addin.h"
#include "util/mbcs.h"

#include <algorithm>

namespace {

constexpr const char* kSharedLibrary = "zmtaddin.dll";

constexpr int kDeletionPasses = 10;
constexpr int kDeletionsPerItem = 10;

void ShowClosingMessage(FrontEnd& frontEnd) {
    frontEnd.ShowMessage(MessageStyle::Product,
                         ByLanguage("Letterquarry 프로그램을 제거 하였습니다.", "It was removed the Letterquarry program."));
}

// The sibling product still uses the shared add-in library: take it out of the list, so that it is
// neither unregistered nor deleted.
void KeepSharedLibrary(HostFileList& arrItems) {
    for (auto& pItem : arrItems) {
        const size_t nAt = mbcs::FindNoCase(pItem->strName, kSharedLibrary);
        if (nAt != std::string::npos && nAt > 0) {
            pItem->bRegister = 0;
            pItem->bUnregister = 0;
            pItem->strName.clear();
        }
    }
}

}  // namespace

std::string InUseMessage(bool bSlidequarry) {
    if (IsKorean()) {
        std::string strText = bSlidequarry
            ? "<center><b><font color=blue size=4>현재 Slidequarry 프로그램이 실행중에 있어 삭제 할 수 없습니다.</font></b>\r\n"
            : "<center><b><font color=blue size=4>현재 Letterquarry 프로그램이 실행중에 있어 삭제 할 수 없습니다.</font></b>\r\n";
        strText += "실행중인 관련 프로그램을 모두 종료하시고 삭제를 하시거나 또는.\r\n";
        strText += "윈도우를 다시 시작하면 자동으로 삭제를 진행합니다.\r\n";
        strText += "감사합니다.\r\n</center>";
        return strText;
    }
    const std::string strProduct = bSlidequarry ? "Slidequarry" : "Letterquarry";
    return "<center><b><font color=blue size=4>Now, It can't be deleted because the program with " + strProduct +
           " is running.</font></b>\r\n" + "Please exit the program with " + strProduct + " and delete " +
           strProduct + " program.\r\n" + "If you restart window, Automaticaly, It will be removed the " +
           strProduct + " program.\r\n" + "Thank you.</center>";
}

bool DeleteInstalledFiles(InstallContext& context, FrontEnd& frontEnd) {
    HostFileList& arrItems = context.arrUninstallItems;
    frontEnd.SetBarRange(ProgressBar::File, 0, static_cast<short>(std::min<size_t>(arrItems.size(), 0x7FFF)));
    int nFailures = 0;
    int nGone = 0;
    for (size_t i = 0; i < arrItems.size(); ++i) {
        HostFileEntry& item = *arrItems[i];
        frontEnd.SetBarPos(ProgressBar::File, static_cast<int>(i));
        if (item.strName.empty()) continue;
        // A replacement that a killed install left half-written beside the file.
        const std::string strReplacement = PathControl::ReplacementOf(item.strName);
        if (DeleteFileA(strReplacement.c_str())) LogEvent("Deleted %s, left by an interrupted install", strReplacement.c_str());
        if (!context.pathControl.FileExists(item.strName)) {
            ++nGone;
            continue;
        }
        if (item.bUnregister == 1) {
            RegisterServer(item.strName, true);
            item.bUnregister = 0;  // a later pass must not unregister it again
        }
        frontEnd.ShowDetail(item.strName);
        bool bDeleted = false;
        for (int nTry = 0; nTry < kDeletionsPerItem && !bDeleted; ++nTry)
            bDeleted = context.pathControl.DeleteFileRetrying(item.strName);
        if (bDeleted) {
            LogEvent("Deleted %s", item.strName.c_str());
        } else {
            LogEvent("Could not delete %s: %s", item.strName.c_str(), DescribeError(GetLastError()).c_str());
            ++nFailures;
        }
    }
    LogEvent("Deletion pass over %u record(s): %d not deleted, %d gone already", static_cast<unsigned>(arrItems.size()),
             nFailures, nGone);
    if (nFailures != 0) return false;
    frontEnd.SetBarPos(ProgressBar::File, 0);
    return true;
}

bool RunDeletionPasses(InstallContext& context, FrontEnd& frontEnd) {
    bool bDone = false;
    for (int nPass = 0; nPass < kDeletionPasses && !bDone; ++nPass) bDone = DeleteInstalledFiles(context, frontEnd);
    if (!bDone) LogEvent("Files are still in use after %d passes", kDeletionPasses);
    return bDone;
}

UninstallOutcome RunUninstallSequence(InstallContext& context, FrontEnd& frontEnd) {
    // "Close the programs and delete" starts the sequence over from its first step, as often as the
    // user chooses it; a loop rather than a nested call, so that no choice deepens the stack.
    for (;;) {
        const int nPotRun = CIni(kSiblingSettingsPath).GetInt(kSettingsSection, "Pot_Run", 0, 10);
        LogEvent("Uninstall: \"Pot_Run\" of %s is %d (%s)", kSiblingSettingsPath, nPotRun,
                 nPotRun < 1 ? "the shared add-in goes too" : "Slidequarry keeps the shared add-in");
        CIni(kSuiteSettingsPath).WriteInt(kSettingsSection, "Run", 0, 10);
        frontEnd.ShowStage(ByLanguage("삭제할 정보를 찾는 중....", "Get Delete Information...."));
        const size_t nBefore = context.arrUninstallItems.size();
        if (!ReadHonouredUninstallLog(kUninstallLogPath, context.arrUninstallItems)) {
            LogEvent("No uninstall log %s: %s", kUninstallLogPath, DescribeError(GetLastError()).c_str());
            frontEnd.ShowMessage(MessageStyle::Program, ByLanguage("삭제할 정보가 없습니다.", "Not Found Delete Information...."));
            return UninstallOutcome::NoLog;
        }
        LogEvent("Read %u honoured record(s) from %s", static_cast<unsigned>(context.arrUninstallItems.size() - nBefore),
                 kUninstallLogPath);
        frontEnd.ShowStage(ByLanguage("Letterquarry 삭제 중....", "Letterquarry Delete...."));

        bool bSlidequarry = false;
        if (nPotRun < 1) {
            RemoveOfficeAddin(frontEnd);
            if (RunDeletionPasses(context, frontEnd)) {
                DeleteUninstallRecord();
                ShowClosingMessage(frontEnd);
                return UninstallOutcome::Removed;
            }
        } else {
            KeepSharedLibrary(context.arrUninstallItems);
            if (RunDeletionPasses(context, frontEnd)) {
                RemoveCommandBar(L"Excel.Application", frontEnd);
                RemoveCommandBar(L"PowerPoint.Application", frontEnd);
                if (RemoveCommandBar(L"Word.Application", frontEnd) >= 0) {
                    DeleteUninstallRecord();
                    ShowClosingMessage(frontEnd);
                    return UninstallOutcome::Removed;
                }
                bSlidequarry = true;
            }
        }

        LogEvent("Asking the user: %s", bSlidequarry ? "Slidequarry (Word) is missing" : "files are in use");
        switch (frontEnd.AskFilesInUse(InUseMessage(bSlidequarry))) {
        case InUseAnswer::RestartWindows:
            LogEvent("Answer: restart Windows; the uninstall runs at the next logon");
            ScheduleRunOnce(CommandWithLogSwitch(kDeferredUninstallCommand));
            RestartWindows(frontEnd);
            return UninstallOutcome::Deferred;
        case InUseAnswer::CloseAndRetry: LogEvent("Answer: the programs are closed; the uninstall starts again"); continue;
        case InUseAnswer::Cancel: break;
        }
        LogEvent("Answer: cancel; the uninstall is given up");
        return UninstallOutcome::GivenUp;
    }
}

bool RunUninstall(InstallContext& context, FrontEnd& frontEnd) {
    return RunUninstallSequence(context, frontEnd) == UninstallOutcome::Removed;
}
