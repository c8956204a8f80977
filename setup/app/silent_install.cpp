// "/B": the silent install. Discovery and the install sequence inside the setup progress window, with no
// question, no message and no running-program check; the outcome is only the exit code.
#include "framework/winapp.h"
#include "setup/app/run_modes.h"
#include "setup/core/exit_codes.h"
#include "setup/core/install_context.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/discovery/host_discovery.h"
#include "setup/install/install_sequence.h"

#include <memory>

int RunSilentInstall() {
    auto pProgress = std::make_unique<LetterquarrySetupDlg>();
    const bool bWindow = pProgress->Create(IDD_LETTERQUARRY_SETUP, AfxGetMainWnd());
    if (bWindow) {
        ShowWindow(pProgress->GetSafeHwnd(), SW_SHOW);
        SetActiveWindow(pProgress->GetSafeHwnd());
        pProgress->UpdateData(true);
    }

    auto pContext = std::make_unique<InstallContext>();
    FillHostRecords(*pContext);
    // Without its window the install still runs; it then has no controls to show its progress in.
    bool bInstalled;
    if (bWindow) {
        DialogFrontEnd frontEnd(*pProgress);
        bInstalled = RunInstallSequence(*pContext, frontEnd);
    } else {
        SilentFrontEnd frontEnd;
        bInstalled = RunInstallSequence(*pContext, frontEnd);
    }

    pProgress->DestroyWindow();
    pProgress.reset();
    pContext.reset();
    return bInstalled ? kExitSuccess : kExitFailed;
}
