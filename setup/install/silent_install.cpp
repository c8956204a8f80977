// "/B": the silent install. Discovery and the install sequence inside the setup progress window, with no
// question, no message and no running-program check; the outcome is only the exit code.
#include "setup/app/exit_codes.h"
#include "setup/app/install_context.h"
#include "setup/app/run_modes.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/discovery/host_discovery.h"
#include "setup/install/install_sequence.h"

#include "framework/winapp.h"

#include <memory>

int RunSilentInstall() {
    auto pProgress = std::make_unique<LetterquarrySetupDlg>();
    const bool bWindow = pProgress->Create(IDD_LETTERQUARRY_SETUP, AfxGetApp()->m_hMainWnd);
    if (bWindow) {
        ShowWindow(pProgress->GetSafeHwnd(), SW_SHOW);
        SetActiveWindow(pProgress->GetSafeHwnd());
        pProgress->UpdateData(true);
    }

    auto pContext = std::make_unique<InstallContext>();
    FillHostRecords(*pContext);
    // Without its window the install still runs; it then has no controls to show its progress in.
    const bool bInstalled =
        RunInstallSequence(*pContext, bWindow ? &pProgress->m_staticStage : nullptr,
                           bWindow ? &pProgress->m_staticDetail : nullptr, bWindow ? &pProgress->m_progressStage : nullptr,
                           bWindow ? &pProgress->m_progressFile : nullptr);

    pProgress->DestroyWindow();
    pProgress.reset();
    pContext.reset();
    return bInstalled ? kExitSuccess : kExitFailed;
}
