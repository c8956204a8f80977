#include "setup/app/run_modes.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/app/interactive_install.h"
#include "setup/core/install_context.h"
#include "setup/core/texts.h"
#include "setup/dialogs/delete_message_box_dlg.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/discovery/host_discovery.h"
#include "setup/guard/program_guard.h"
#include "setup/install/install_sequence.h"
#include "setup/uninstall/uninstall_sequence.h"

namespace {

// One row per mode. "/B" installs with nobody to answer (the deferred install runs at a logon, with nobody
// there), but "/D /B" uninstalls with the user answering in its window, as the deferred uninstall always has.
// In the order of ModeAction.
constexpr RunModePolicy kModes[] = {
    // action                        log name              work                  progress                      answers                  confirm changes
    {ModeAction::InteractiveInstall, "install (dialog)", Work::InstallDialog, ProgressPlace::SetupWindow, AnswerPolicy::User, false, true},
    {ModeAction::SilentInstall, "silent install", Work::Install, ProgressPlace::SetupWindow, AnswerPolicy::Nobody, false, true},
    {ModeAction::QuietInstall, "quiet install", Work::Install, ProgressPlace::None, AnswerPolicy::Deployment, false, true},
    {ModeAction::InteractiveUninstall, "uninstall (dialog)", Work::Uninstall, ProgressPlace::DeleteWindow, AnswerPolicy::User, true, true},
    {ModeAction::SilentUninstall, "silent uninstall", Work::Uninstall, ProgressPlace::DeleteWindow, AnswerPolicy::User, false, true},
    {ModeAction::QuietUninstall, "quiet uninstall", Work::Uninstall, ProgressPlace::None, AnswerPolicy::Deployment, false, true},
    {ModeAction::Upgrade, "upgrade message", Work::UpgradeMessage, ProgressPlace::None, AnswerPolicy::User, false, false},
    {ModeAction::Usage, "usage", Work::Usage, ProgressPlace::None, AnswerPolicy::User, false, false},
};

constexpr bool RowsInActionOrder(size_t i = 0) {
    return i == sizeof kModes / sizeof kModes[0] ||
           (kModes[i].action == static_cast<ModeAction>(i) && RowsInActionOrder(i + 1));
}
static_assert(sizeof kModes / sizeof kModes[0] == static_cast<size_t>(ModeAction::Usage) + 1, "one row per mode");
static_assert(RowsInActionOrder(), "the rows stand in the order of ModeAction");

Answerer& AnswersOf(AnswerPolicy policy) {
    static DialogAnswers user;
    static NobodyAnswers nobody;
    static DeploymentAnswers deployment;
    switch (policy) {
    case AnswerPolicy::User: return user;
    case AnswerPolicy::Nobody: return nobody;
    case AnswerPolicy::Deployment: return deployment;
    }
    return nobody;
}

// "/D": false when the user did not confirm the uninstall.
bool ConfirmUninstall() {
    return DeleteMessageBoxDlg(Text(TextId::UninstallConfirmation)).Ask(AfxGetMainWnd()) == DeleteMessageBoxDlg::Answer::Delete;
}

// The engine work of an install or uninstall row, with its progress shown where the row says.
Outcome RunEngines(const RunModePolicy& policy, ProgressView& progress) {
    FrontEnd frontEnd(progress, AnswersOf(policy.answers));
    InstallContext context;
    if (policy.work == Work::Install) {
        FillHostRecords(context);
        return RunInstall(context, frontEnd);
    }
    // The guard asks in its own dialogs; a cancel there removes nothing.
    if (policy.bConfirmAndGuard && !CheckRunningPrograms(frontEnd)) return Outcome::Cancelled;
    return RunUninstall(context, frontEnd);
}

template <class ProgressDlg>
Outcome RunInProgressWindow(const RunModePolicy& policy) {
    // Without its window the work still runs; it then has no controls to show its progress in.
    const auto pWindow = CreateProgressWindow<ProgressDlg>(AfxGetMainWnd());
    ProgressWindowView view(pWindow.get());
    return RunEngines(policy, view);
}

}  // namespace

const RunModePolicy& PolicyOf(ModeAction action) { return kModes[static_cast<size_t>(action)]; }

int RunMode(const RunModePolicy& policy) {
    switch (policy.work) {
    case Work::InstallDialog: return RunInteractiveInstall();
    case Work::UpgradeMessage: AfxMessageBox(Text(TextId::UpgradeMessage), MB_OK); return kExitSuccess;
    case Work::Usage: AfxMessageBox(Text(TextId::Usage), MB_OK | MB_ICONINFORMATION); return kExitSuccess;
    case Work::Install:
    case Work::Uninstall: break;
    }
    if (policy.bConfirmAndGuard && !ConfirmUninstall()) return ExitCodeOf(Outcome::Cancelled);
    switch (policy.progress) {
    case ProgressPlace::SetupWindow: return ExitCodeOf(RunInProgressWindow<LetterquarrySetupDlg>(policy));
    case ProgressPlace::DeleteWindow: return ExitCodeOf(RunInProgressWindow<LetterquarryDeleteDlg>(policy));
    case ProgressPlace::None: break;
    }
    NoProgress none;
    return ExitCodeOf(RunEngines(policy, none));
}
