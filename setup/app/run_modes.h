// The run modes that start-up chooses from the command line. Each runs its mode to the end and returns
// the process exit code (setup/core/exit_codes.h).
#pragma once

int RunInteractiveInstall();   // no switch: the main install dialog
int RunSilentInstall();        // "/B": setup progress window and install sequence, no question
int RunInteractiveUninstall(); // "/D": confirmation, running-program guard, uninstall
int RunSilentUninstall();      // "/D /B": uninstall progress window and uninstall sequence
int RunUpgrade();              // "/U": one message box
