// The interactive install: the main install dialog, run modally until the user installs or leaves.
#include "setup/app/exit_codes.h"
#include "setup/app/run_modes.h"
#include "setup/dialogs/zmt_upgrade_dlg.h"

#include "framework/winapp.h"

int RunInteractiveInstall() {
    CZmtUpGradeDlg dlg;
    INT_PTR nResult = dlg.DoModal(nullptr);
    if (CWinApp* pApp = AfxGetApp()) pApp->m_hMainWnd = nullptr;
    if (nResult == -1) return kExitFailed;  // the dialog could not be created
    return dlg.ExitCode();
}
