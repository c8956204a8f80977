// The uninstall sequence: removes what an install left on the machine, guided by the uninstall log.
//
// Runs synchronously on the UI thread and shows its progress, messages and questions through its front end
// (the uninstall progress window's stage line, detail line and file bar). It does not know whether the
// uninstall is interactive or silent: its closing message, in-use prompt and the Office removal's
// messages reach the front end in both.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/install_context.h"

#include <string>

// How a run of the sequence ended; start-up turns it into the process exit code.
enum class UninstallOutcome {
    Removed,   // everything removed, the closing message was shown
    NoLog,     // no uninstall log: nothing removed but "Run" = 0
    Deferred,  // files in use; the silent uninstall will run at the next Windows start, restart requested
    GivenUp,   // files in use (or Word missing for the shared add-in), and the user cancelled
};

// The whole sequence, with the in-use prompt: when files stay in use the user may restart Windows
// (Deferred), close the programs and run the sequence again from its start (as often as they like), or
// give up. Reads "Pot_Run" of the sibling product's settings: 1 or more keeps the shared add-in library
// and its registration, and removes only the command bars.
UninstallOutcome RunUninstallSequence(InstallContext& context, FrontEnd& frontEnd);

// The same, true only when the product was removed and the closing message was shown.
bool RunUninstall(InstallContext& context, FrontEnd& frontEnd);

// One deletion pass over the context's uninstall items, in list order. An item whose file no longer
// exists is skipped and is no failure. An item marked for unregistration is unregistered (result
// ignored) once and unmarked, then the file is deleted with up to 10 retried deletions.
// True when no existing file was left behind.
bool DeleteInstalledFiles(InstallContext& context, FrontEnd& frontEnd);

// Up to 10 passes of DeleteInstalledFiles, stopping at the first that succeeds; the last pass's result.
bool RunDeletionPasses(InstallContext& context, FrontEnd& frontEnd);

// The text of the in-use prompt for the product "Letterquarry" or "Slidequarry", in the language of
// countryCode (HTML subset).
std::string InUseMessage(bool bSlidequarry);
