// The uninstall sequence: removes what an install left on the machine, guided by the uninstall log.
//
// Runs synchronously on the UI thread and shows its progress, messages and questions through its front end
// (the uninstall progress window's stage line, detail line and file bar). It does not know whether the
// uninstall is interactive or silent: its closing message, in-use prompt and the Office removal's
// messages reach the front end in both.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/install_context.h"
#include "setup/core/outcome.h"

// The whole sequence, with the in-use prompt: when files stay in use the user may restart Windows
// (Deferred: the silent uninstall stored under RunOnce), close the programs and run the sequence again from
// its start (as often as they like), or give up (Failed). Reads "Pot_Run" of the sibling product's settings:
// 1 or more keeps the shared add-in library and its registration, and removes only the command bars; then a
// Word without the add-in's application asks with the Slidequarry text. Done once the product was removed
// and the closing message shown; Failed also when there is no uninstall log (after its message).
Outcome RunUninstall(InstallContext& context, FrontEnd& frontEnd);

// One deletion pass over the context's uninstall items, in list order. A replacement that an interrupted
// install left beside an item's file ("<path>.new") is deleted first. An item whose file no longer exists
// is skipped and is no failure. An item marked for unregistration is unregistered (result ignored) once and
// unmarked, then the file is deleted with up to 10 retried deletions. True when no existing file was left
// behind.
bool DeleteInstalledFiles(InstallContext& context, FrontEnd& frontEnd);

// Up to 10 passes of DeleteInstalledFiles, stopping at the first that succeeds; the last pass's result.
bool RunDeletionPasses(InstallContext& context, FrontEnd& frontEnd);
