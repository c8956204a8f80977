// Process exit codes, after the Windows Installer convention that deployment tools understand, and the one
// mapping from an engine's outcome to them. Only the run modes use them.
#pragma once

#include "setup/core/outcome.h"

constexpr int kExitSuccess = 0;            // installed, removed, or nothing to do
constexpr int kExitCancelled = 1602;       // the user cancelled
constexpr int kExitFailed = 1603;          // the install or uninstall failed
constexpr int kExitAlreadyRunning = 1618;  // another run of the setup program was in progress; nothing done
constexpr int kExitRestart = 3010;         // the work was deferred to the next Windows start

inline int ExitCodeOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done: return kExitSuccess;
    case Outcome::Cancelled: return kExitCancelled;
    case Outcome::Failed: return kExitFailed;
    case Outcome::Deferred: return kExitRestart;
    }
    return kExitFailed;
}
