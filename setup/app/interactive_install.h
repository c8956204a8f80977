// The interactive install: the install dialog, wired to the engines.
#pragma once

#include "setup/core/install_actions.h"

class InteractiveInstallActions : public InstallActions {
public:
    // Discovery (which also creates "C:\ZmtPlugin\bin").
    void FindHosts(InstallContext& context) override;
    // "Run" = 1 and the server-list rule in the suite's settings, the running-program guard, then the
    // earlier installation's cleanup.
    bool PrepareInstall(InstallContext& context, FrontEnd& frontEnd) override;
    // The install with its failure policy.
    Outcome Install(InstallContext& context, FrontEnd& frontEnd) override;
};

// No switch: the install dialog, modal until the user installs or leaves. Returns the process exit code.
int RunInteractiveInstall();
