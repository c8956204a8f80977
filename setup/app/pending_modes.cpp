// Run modes whose engines this build does not contain yet. They fail honestly: the interactive ones
// say so in a message box, the silent ones only through the exit code. Each moves to its own file
// when its engine lands.
#include "setup/app/exit_codes.h"
#include "setup/app/run_modes.h"

#include "framework/winapp.h"

#ifndef LQ_UNINSTALL_MODES  // setup/uninstall/uninstall_modes.cpp, once the uninstall sequence is built
namespace {
int NotBuiltYet(bool bTellUser) {
    if (bTellUser)
        AfxGetApp()->DoMessageBox("This build of the setup program cannot do this yet.", MB_OK | MB_ICONSTOP);
    return kExitFailed;
}
}  // namespace

int RunInteractiveUninstall() { return NotBuiltYet(true); }
int RunSilentUninstall() { return NotBuiltYet(false); }
#endif
