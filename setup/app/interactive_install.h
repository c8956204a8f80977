// The interactive install's wiring of the main dialog to the engines.
#pragma once

#include "setup/dialogs/zmt_upgrade_dlg.h"

class InteractiveInstallActions : public InstallActions {
public:
    // Discovery (which also creates "C:\ZmtPlugin\bin").
    void FindHosts(InstallContext& context) override;
    // "Run" = 1 and the server-list rule in the suite's settings, the running-program guard, then the
    // earlier installation's cleanup.
    bool PrepareInstall(InstallContext& context, FrontEnd& frontEnd) override;
    bool Install(InstallContext& context, FrontEnd& frontEnd) override;
    // Stores the silent install under RunOnce and restarts Windows.
    void DeferToRestart(FrontEnd& frontEnd) override;
};
