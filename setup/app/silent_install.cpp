// "/B": the silent install. Discovery and the install inside the setup progress window, with no question,
// no message and no running-program check; the outcome is only the exit code. "/B /QUIET": the same
// without the window, answering for a deployment tool.
#include "setup/app/silent_install.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/core/install_context.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/discovery/host_discovery.h"
#include "setup/install/install_sequence.h"

int RunSilentInstall() {
    // Without its window the install still runs; it then has no controls to show its progress in.
    const auto pProgress = CreateProgressWindow<LetterquarrySetupDlg>(AfxGetMainWnd());
    InstallContext context;
    FillHostRecords(context);
    ProgressOnlyFrontEnd frontEnd(pProgress.get());
    return ExitCodeOf(RunInstall(context, frontEnd));
}

int RunQuietInstall() {
    InstallContext context;
    FillHostRecords(context);
    QuietFrontEnd frontEnd;
    return ExitCodeOf(RunInstall(context, frontEnd));
}
