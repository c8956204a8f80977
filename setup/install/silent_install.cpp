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
    pProgress->Create(IDD_LETTERQUARRY_SETUP, AfxGetApp()->m_hMainWnd);
    ShowWindow(pProgress->GetSafeHwnd(), SW_SHOW);
    SetActiveWindow(pProgress->GetSafeHwnd());
    pProgress->UpdateData(true);

    auto pContext = std::make_unique<InstallContext>();
    FillHostRecords(*pContext);
    const bool bInstalled = RunInstallSequence(*pContext, &pProgress->m_staticStage, &pProgress->m_staticDetail,
                                               &pProgress->m_progressStage, &pProgress->m_progressFile);

    pProgress->DestroyWindow();
    pProgress.reset();
    pContext.reset();
    return bInstalled ? kExitSuccess : kExitFailed;
}
