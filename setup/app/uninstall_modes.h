// The two uninstall run modes. Each returns the process exit code.
#pragma once

// "/D": the confirmation, the running-program guard, then the uninstall in its progress window.
int RunInteractiveUninstall();
// "/D /B": the uninstall in its progress window, as the deferred uninstall runs it at the next logon.
int RunSilentUninstall();
// "/D /B /QUIET": the uninstall alone, no window at all and nothing waited for (QuietFrontEnd).
int RunQuietUninstall();
