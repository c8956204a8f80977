// No switch: the install dialog, run modally until the user installs or leaves.
#include "setup/app/interactive_install.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/core/country.h"
#include "setup/core/ini.h"
#include "setup/dialogs/zmt_upgrade_dlg.h"
#include "setup/discovery/host_discovery.h"
#include "setup/guard/program_guard.h"
#include "setup/install/earlier_installation.h"
#include "setup/install/install_sequence.h"

void InteractiveInstallActions::FindHosts(InstallContext& context) { FillHostRecords(context); }

bool InteractiveInstallActions::PrepareInstall(InstallContext& /*context*/, FrontEnd& frontEnd) {
    {
        CIni ini(kSuiteSettingsPath);
        ini.WriteInt(kSettingsSection, "Run", 1, 10);
        ApplyServerListRule(ini, kEdition);
    }
    if (!CheckRunningPrograms(frontEnd)) return false;
    RemoveEarlierInstallation();
    return true;
}

Outcome InteractiveInstallActions::Install(InstallContext& context, FrontEnd& frontEnd) {
    return RunInstall(context, frontEnd);
}

int RunInteractiveInstall() {
    InteractiveInstallActions actions;
    CZmtUpGradeDlg dlg(actions);
    const INT_PTR nResult = dlg.DoModal(nullptr);
    AfxSetMainWnd(nullptr);
    if (nResult == -1) return ExitCodeOf(Outcome::Failed);  // the dialog could not be created
    return ExitCodeOf(dlg.GetOutcome());
}
