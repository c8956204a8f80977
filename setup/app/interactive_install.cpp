// The interactive install: the main install dialog, run modally until the user installs or leaves.
#include "setup/app/interactive_install.h"

#include "framework/winapp.h"
#include "setup/app/run_modes.h"
#include "setup/core/country.h"
#include "setup/core/exit_codes.h"
#include "setup/core/ini.h"
#include "setup/core/setup_log.h"
#include "setup/discovery/earlier_installation.h"
#include "setup/discovery/host_discovery.h"
#include "setup/guard/program_guard.h"
#include "setup/install/install_sequence.h"
#include "setup/system/restart.h"

void InteractiveInstallActions::FindHosts(InstallContext& context) { FillHostRecords(context); }

bool InteractiveInstallActions::PrepareInstall(InstallContext& context, FrontEnd& frontEnd) {
    {
        CIni ini(kSuiteSettingsPath);
        ini.WriteInt(kSettingsSection, "Run", 1, 10);
        ApplyServerListRule(ini, edition);
    }
    if (!CheckRunningPrograms(frontEnd)) return false;
    RemoveEarlierInstallation(context);
    return true;
}

bool InteractiveInstallActions::Install(InstallContext& context, FrontEnd& frontEnd) {
    return RunInstallSequence(context, frontEnd);
}

void InteractiveInstallActions::DeferToRestart(FrontEnd& frontEnd) {
    LogEvent("The user chose to restart Windows; the install runs at the next logon");
    ScheduleRunOnce(CommandWithLogSwitch(kDeferredInstallCommand));
    RestartWindows(frontEnd);
}

int RunInteractiveInstall() {
    InteractiveInstallActions actions;
    CZmtUpGradeDlg dlg(actions);
    const INT_PTR nResult = dlg.DoModal(nullptr);
    AfxSetMainWnd(nullptr);
    if (nResult == -1) return kExitFailed;  // the dialog could not be created
    return dlg.ExitCode();
}
