// The two uninstall run modes of start-up: "/D" (confirmation, running-program guard, uninstall) and
// "/D /B" (the uninstall alone, as the deferred uninstall runs it at the next Windows start).
#include "framework/winapp.h"
#include "setup/app/run_modes.h"
#include "setup/core/country.h"
#include "setup/core/exit_codes.h"
#include "setup/core/install_context.h"
#include "setup/dialogs/delete_message_box_dlg.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/guard/program_guard.h"
#include "setup/uninstall/uninstall_sequence.h"

#include <memory>
#include <utility>

namespace {

int ExitCodeOf(UninstallOutcome outcome) {
    switch (outcome) {
    case UninstallOutcome::Removed: return kExitSuccess;
    case UninstallOutcome::Deferred: return kExitRestart;
    case UninstallOutcome::NoLog:
    case UninstallOutcome::GivenUp: break;
    }
    return kExitFailed;
}

// The uninstall progress window, created modeless from its resource, shown and made active, its
// controls bound.
std::unique_ptr<LetterquarryDeleteDlg> ShowProgressWindow() {
    auto pDlg = std::make_unique<LetterquarryDeleteDlg>();
    pDlg->Create(IDD_LETTERQUARRY_DELETE, AfxGetMainWnd());
    ShowWindow(pDlg->GetSafeHwnd(), SW_SHOW);
    SetActiveWindow(pDlg->GetSafeHwnd());
    pDlg->UpdateData(true);
    return pDlg;
}

// Runs the uninstall sequence in the progress window, then closes the window and releases the context.
int RunInProgressWindow(std::unique_ptr<LetterquarryDeleteDlg> pProgress, InstallContext& context) {
    UninstallOutcome outcome;
    {
        DialogFrontEnd frontEnd(*pProgress);
        outcome = RunUninstallSequence(context, frontEnd);
    }
    pProgress->DestroyWindow();
    pProgress.reset();
    context.Release();
    return ExitCodeOf(outcome);
}

std::string ConfirmationText() {
    if (IsKorean())
        return std::string("<center><b><font color=blue size=4>Letterquarry 프로그램을 삭제 합니다.</font></b>\r\n") +
               "삭제하는 도중에 실행중인 프로그램을 종료 할 수도 있습니다.\r\n" +
               "실행중인 프로그램을 종료하여 주십시요.</center>";
    return std::string("<center><b><font color=blue size=4>It will be removed the Letterquarry program.</font></b>\r\n") +
           "Please close the running program with 'Letterquarry' for uninstallation.\r\n" +
           "Are you sure you want to completely remove 'Letterquarry' program?";
}

}  // namespace

int RunSilentUninstall() {
    auto pProgress = ShowProgressWindow();
    InstallContext context;
    return RunInProgressWindow(std::move(pProgress), context);
}

int RunInteractiveUninstall() {
    DeleteMessageBoxDlg dlgConfirm;
    dlgConfirm.m_strText = ConfirmationText();
    dlgConfirm.DoModal(AfxGetMainWnd());
    if (dlgConfirm.m_nResult != DeleteMessageBoxDlg::kDelete) return kExitCancelled;

    auto pProgress = ShowProgressWindow();
    InstallContext context;
    DialogFrontEnd questions;  // the guard's questions have no owner
    if (!CheckRunningPrograms(questions)) {
        // Nothing removed. The progress window goes with the process.
        context.Release();
        return kExitCancelled;
    }
    return RunInProgressWindow(std::move(pProgress), context);
}
