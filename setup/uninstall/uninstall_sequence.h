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

// The whole sequence: what to remove (DecideUninstallVariant), removing it (RemoveProduct), and, when files
// stay in use, the in-use prompt: the user may restart Windows (Deferred: the silent uninstall stored under
// RunOnce; Failed when it could not be stored), close the programs and run the sequence again from its
// start (as often as they like), or give up (Failed). Done once the product was removed and the closing
// message shown; Failed also when there is no uninstall log (after its message).
Outcome RunUninstall(InstallContext& context, FrontEnd& frontEnd);

// Which variant runs, from "Pot_Run" of the sibling product's settings: 1 or more keeps the shared add-in
// library and its registration, and removes only the command bars.
struct UninstallVariant {
    bool bSiblingKeepsSharedAddin = false;
};
UninstallVariant DecideUninstallVariant();

// How one run of the removal ended.
enum class Removal {
    Removed,             // files, registrations, command bars and the entry are gone
    NoLog,               // there is no uninstall log (or none that can be read): nothing was removed
    FilesInUse,          // files stayed in use through every deletion pass
    SiblingWordMissing,  // shared variant: the files are gone, but Word could not be reached; the entry stays
};

// One run of the removal: "Run" = 0 in the suite's settings, the stage lines, the log read into the
// context's uninstall items (appended), then the variant's steps: the standard variant removes the Office
// add-in (registration and command bars), the files and then the entry; the shared variant keeps the
// shared library, removes the files, then the command bars, and the entry only when Word was reached. Shows
// no message and asks nothing itself (the Office removal's own messages aside).
Removal RemoveProduct(InstallContext& context, const UninstallVariant& variant, FrontEnd& frontEnd);

// One deletion pass over the context's uninstall items, in list order. Replacements that an interrupted
// install left beside an item's file are deleted first (each only when it is a plain file of its own). An
// item whose file no longer exists is skipped and is no failure. An item marked for unregistration is
// unregistered once, and only from bytes that are the shipped copy's (UnregisterShippedServer), then
// unmarked; then the file is deleted, proven and by its handle, with up to 10 retried deletions. A file that
// is refused (a link, or not where its record says) is left alone and logged. True when no existing file
// was left behind for another reason.
bool DeleteInstalledFiles(InstallContext& context, FrontEnd& frontEnd);

// Up to 10 passes of DeleteInstalledFiles, stopping at the first that succeeds; the last pass's result.
bool RunDeletionPasses(InstallContext& context, FrontEnd& frontEnd);
