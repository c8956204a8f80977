// InstallActions: what the install dialog asks of the engines, in the order its Install command needs it.
// The interactive install run mode provides it (setup/app/), so the dialog shows and asks and knows no
// engine.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/install_context.h"
#include "setup/core/outcome.h"

class InstallActions {
public:
    virtual ~InstallActions() = default;
    // At the dialog's initialisation, before the list is filled: the host records (discovery).
    virtual void FindHosts(InstallContext& context) = 0;
    // The Install command's steps before the install: the settings, the running-program guard (asking
    // through frontEnd), an earlier installation's traces. False when the user cancelled in the guard; the
    // dialog then stays open.
    virtual bool PrepareInstall(InstallContext& context, FrontEnd& frontEnd) = 0;
    // The install over the chosen records with its failure policy, shown and asked through frontEnd (the
    // progress window's).
    virtual Outcome Install(InstallContext& context, FrontEnd& frontEnd) = 0;
};
