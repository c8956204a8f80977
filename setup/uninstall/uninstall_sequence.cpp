#include "setup/uninstall/uninstall_sequence.h"

#include "setup/core/ini.h"
#include "setup/core/setup_log.h"
#include "setup/record/honoured_records.h"
#include "setup/record/uninstall_record.h"
#include "setup/system/com_registration.h"
#include "setup/system/restart.h"
#include "setup/uninstall/office_addin.h"
#include "util/file_ops.h"
#include "util/mbcs.h"

#include <algorithm>

namespace {

constexpr int kDeletionPasses = 10;
constexpr int kDeletionsPerItem = 10;

// The sibling product still uses the shared add-in library (the Office host's file): take it out of the list,
// so that it is neither unregistered nor deleted.
void KeepSharedLibrary(HostFileList& arrItems) {
    const char* szSharedLibrary = HostAt(kHostOffice).arrFiles.begin()->szName;
    for (auto& pItem : arrItems) {
        const size_t nAt = mbcs::FindNoCase(pItem->strName, szSharedLibrary);
        if (nAt != std::string::npos && nAt > 0) {
            pItem->bRegister = 0;
            pItem->bUnregister = 0;
            pItem->strName.clear();
        }
    }
}

// Where the install copied a placed file from: the shipped folder, under the same name.
std::string ShippedCopyOf(const std::string& strPlaced) {
    const size_t nSlash = strPlaced.find_last_of("\\/");
    return std::string(kSourceFolder) + "\\" + strPlaced.substr(nSlash == std::string::npos ? 0 : nSlash + 1);
}

void RemoveLeftoversBeside(const std::string& strPath) {
    for (const LeftoverReplacement& leftover : RemoveLeftoverReplacements(strPath)) {
        if (leftover.result.IsDone())
            LogEvent("Deleted %s, left by an interrupted install", leftover.strPath.c_str());
        else
            LogEvent("Left %s alone: %s", leftover.strPath.c_str(), DescribeResult(leftover.result).c_str());
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
        RemoveLeftoversBeside(item.strName);
        if (!FileExists(item.strName)) {
            ++nGone;
            continue;
        }
        // A file another program holds is unregistered by a later pass, once it is free.
        if (item.bUnregister == 1 && UnregisterShippedServer(item.strName, ShippedCopyOf(item.strName)).status != OpStatus::InUse)
            item.bUnregister = 0;  // a later pass must not unregister it again
        frontEnd.ShowDetail(item.strName);
        OpResult deleted;
        for (int nTry = 0; nTry < kDeletionsPerItem; ++nTry) {
            deleted = DeleteFileRetrying(item.strName);
            if (deleted.IsDone() || deleted.status == OpStatus::Refused) break;
        }
        if (deleted.IsDone()) {
            LogEvent("Deleted %s", item.strName.c_str());
        } else if (deleted.status == OpStatus::Refused) {
            // Not what the install placed there any more: left alone, and no reason to wait for a restart.
            LogEvent("Left %s alone: %s", item.strName.c_str(), DescribeResult(deleted).c_str());
        } else {
            LogEvent("Could not delete %s: %s", item.strName.c_str(), DescribeResult(deleted).c_str());
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

UninstallVariant DecideUninstallVariant() {
    UninstallVariant variant;
    const int nPotRun = CIni(kSiblingSettingsPath).GetInt(kSettingsSection, "Pot_Run", 0, 10);
    variant.bSiblingKeepsSharedAddin = nPotRun >= 1;
    LogEvent("Uninstall: \"Pot_Run\" of %s is %d (%s)", kSiblingSettingsPath, nPotRun,
             variant.bSiblingKeepsSharedAddin ? "Slidequarry keeps the shared add-in" : "the shared add-in goes too");
    return variant;
}

Removal RemoveProduct(InstallContext& context, const UninstallVariant& variant, FrontEnd& frontEnd) {
    CIni(kSuiteSettingsPath).WriteInt(kSettingsSection, "Run", 0, 10);
    frontEnd.ShowStage(TextId::StageFindDeleteInformation);
    const size_t nBefore = context.arrUninstallItems.size();
    const OpResult read = ReadHonouredUninstallLog(kUninstallLogPath, context.arrUninstallItems);
    if (!read.IsDone()) {
        LogEvent("No uninstall log %s: %s", kUninstallLogPath,
                 read.dwError == ERROR_FILE_TOO_LARGE ? "it is larger than any install writes; not read"
                                                      : DescribeResult(read).c_str());
        return Removal::NoLog;
    }
    LogEvent("Read %u honoured record(s) from %s", static_cast<unsigned>(context.arrUninstallItems.size() - nBefore),
             kUninstallLogPath);
    frontEnd.ShowStage(TextId::StageDelete);

    if (!variant.bSiblingKeepsSharedAddin) {
        RemoveOfficeAddin(frontEnd);
        if (!RunDeletionPasses(context, frontEnd)) return Removal::FilesInUse;
    } else {
        KeepSharedLibrary(context.arrUninstallItems);
        if (!RunDeletionPasses(context, frontEnd)) return Removal::FilesInUse;
        // Only Word's result counts: the sibling's add-in must still be reachable there.
        if (RemoveCommandBars(frontEnd) != CommandBarRemoval::Done) return Removal::SiblingWordMissing;
    }
    DeleteUninstallRecord();
    return Removal::Removed;
}

Outcome RunUninstall(InstallContext& context, FrontEnd& frontEnd) {
    // "Close the programs and delete" starts the sequence over from its first step, as often as the
    // user chooses it; a loop rather than a nested call, so that no choice deepens the stack.
    for (;;) {
        const Removal removal = RemoveProduct(context, DecideUninstallVariant(), frontEnd);
        if (removal == Removal::Removed) {
            frontEnd.ShowMessage(MessageStyle::Product, TextId::Removed);
            return Outcome::Done;
        }
        if (removal == Removal::NoLog) {
            frontEnd.ShowMessage(MessageStyle::Program, TextId::NoDeleteInformation);
            return Outcome::Failed;
        }

        const bool bFilesHeld = removal == Removal::FilesInUse;
        LogEvent("Asking the user: %s", bFilesHeld ? "files are in use" : "Slidequarry (Word) is missing");
        const InUseAnswer answer =
            frontEnd.AskFilesInUse(bFilesHeld ? TextId::InUseLetterquarry : TextId::InUseSlidequarry, bFilesHeld);
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
