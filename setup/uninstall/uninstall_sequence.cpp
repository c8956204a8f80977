#include "setup/uninstall/uninstall_sequence.h"

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

Outcome RunUninstall(InstallContext& context, FrontEnd& frontEnd) {
    // "Close the programs and delete" starts the sequence over from its first step, as often as the
    // user chooses it; a loop rather than a nested call, so that no choice deepens the stack.
    for (;;) {
        const int nPotRun = CIni(kSiblingSettingsPath).GetInt(kSettingsSection, "Pot_Run", 0, 10);
        LogEvent("Uninstall: \"Pot_Run\" of %s is %d (%s)", kSiblingSettingsPath, nPotRun,
                 nPotRun < 1 ? "the shared add-in goes too" : "Slidequarry keeps the shared add-in");
        CIni(kSuiteSettingsPath).WriteInt(kSettingsSection, "Run", 0, 10);
        frontEnd.ShowStage(TextId::StageFindDeleteInformation);
        const size_t nBefore = context.arrUninstallItems.size();
        if (!ReadHonouredUninstallLog(kUninstallLogPath, context.arrUninstallItems)) {
            LogEvent("No uninstall log %s: %s", kUninstallLogPath, DescribeError(GetLastError()).c_str());
            frontEnd.ShowMessage(MessageStyle::Program, TextId::NoDeleteInformation);
            return Outcome::Failed;
        }
        LogEvent("Read %u honoured record(s) from %s", static_cast<unsigned>(context.arrUninstallItems.size() - nBefore),
                 kUninstallLogPath);
        frontEnd.ShowStage(TextId::StageDelete);

        TextId question = TextId::InUseLetterquarry;
        if (nPotRun < 1) {
            RemoveOfficeAddin(frontEnd);
            if (RunDeletionPasses(context, frontEnd)) {
                DeleteUninstallRecord();
                frontEnd.ShowMessage(MessageStyle::Product, TextId::Removed);
                return Outcome::Done;
            }
        } else {
            KeepSharedLibrary(context.arrUninstallItems);
            if (RunDeletionPasses(context, frontEnd)) {
                RemoveCommandBar(L"Excel.Application", frontEnd);
                RemoveCommandBar(L"PowerPoint.Application", frontEnd);
                // Only Word's result counts: the sibling's add-in must still be reachable there.
                if (RemoveCommandBar(L"Word.Application", frontEnd) == CommandBarRemoval::Done) {
                    DeleteUninstallRecord();
                    frontEnd.ShowMessage(MessageStyle::Product, TextId::Removed);
                    return Outcome::Done;
                }
                question = TextId::InUseSlidequarry;
            }
        }

        const bool bFilesHeld = question == TextId::InUseLetterquarry;
        LogEvent("Asking the user: %s", bFilesHeld ? "files are in use" : "Slidequarry (Word) is missing");
        const InUseAnswer answer = frontEnd.AskFilesInUse(question, bFilesHeld);
        switch (answer) {
        case InUseAnswer::RestartWindows:
        case InUseAnswer::DeferToNextStart:
            return DeferToNextStart("uninstall", kDeferredUninstallCommand, answer, frontEnd);
        case InUseAnswer::CloseAndRetry: LogEvent("Answer: the programs are closed; the uninstall starts again"); continue;
        case InUseAnswer::Cancel: break;
        }
        LogEvent("Answer: cancel; the uninstall is given up");
        return Outcome::Failed;
    }
}
