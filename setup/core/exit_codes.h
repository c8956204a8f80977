// Process exit codes, after the Windows Installer convention that deployment tools understand.
#pragma once

constexpr int kExitSuccess = 0;      // installed, removed, or nothing to do
constexpr int kExitCancelled = 1602; // the user cancelled
constexpr int kExitFailed = 1603;    // the install or uninstall failed
constexpr int kExitAlreadyRunning = 1618;  // another run of the setup program was in progress; nothing done
constexpr int kExitRestart = 3010;   // the work was deferred to the next Windows start
