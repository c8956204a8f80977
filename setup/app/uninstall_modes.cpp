// The two uninstall run modes of start-up: "/D" (confirmation, running-program guard, uninstall) and
// "/D /B" (the uninstall alone, as the deferred uninstall runs it at the next Windows start).
#include "setup/app/uninstall_modes.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/core/install_context.h"
#include "setup/core/texts.h"
#include "setup/dialogs/delete_message_box_dlg.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/guard/program_guard.h"
#include "setup/uninstall/uninstall_sequence.h"

int RunSilentUninstall() {
    const auto pProgress = CreateProgressWindow<LetterquarryDeleteDlg>(AfxGetMainWnd());
    InstallContext context;
    DialogFrontEnd frontEnd(pProgress.get());
    return ExitCodeOf(RunUninstall(context, frontEnd));
}

int RunQuietUninstall() {
    InstallContext context;
    QuietFrontEnd frontEnd;
    return ExitCodeOf(RunUninstall(context, frontEnd));
}

int RunInteractiveUninstall() {
    if (DeleteMessageBoxDlg(Text(TextId::UninstallConfirmation)).Ask(AfxGetMainWnd()) != DeleteMessageBoxDlg::Answer::Delete)
        return ExitCodeOf(Outcome::Cancelled);

    auto pProgress = CreateProgressWindow<LetterquarryDeleteDlg>(AfxGetMainWnd());
    InstallContext context;
    DialogFrontEnd frontEnd(pProgress.get());
    if (!CheckRunningPrograms(frontEnd)) {
        // Nothing removed. The progress window goes with the process.
        pProgress.release();
        return ExitCodeOf(Outcome::Cancelled);
    }
    return ExitCodeOf(RunUninstall(context, frontEnd));
}
