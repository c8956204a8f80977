// The install sequence: one installation from a filled InstallContext, and the install with its failure
// policy.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/install_context.h"
#include "setup/core/outcome.h"
#include "util/op_result.h"

// The install with its failure policy, for every mode that installs. Runs the sequence; when it fails,
// asks the front end whether files are in use (InstallRefused: restart Windows, retry, or cancel; telling
// it whether the failure was a file in use) and acts on the answer: restart stores the silent install under RunOnce and restarts Windows (Deferred); retry
// runs the sequence again on the same context and asks again if it fails again; cancel gives up (Failed);
// deferring without a restart stores the command alone (Deferred). The command repeats the front end's
// switches (SwitchesForDeferredRun) and this run's log switch; a deferral that could not be stored is
// Failed (DeferToNextStart).
// Done once a run of the sequence succeeded; when the first run did, the front end shows "installed" (after
// a retry nothing follows).
Outcome RunInstall(InstallContext& context, FrontEnd& frontEnd);

// One run of the install sequence. Installs the selected records in the order of kHosts (the runtime files,
// Office, Photoshop before CS2, Photoshop CS2, Illustrator, CorelDraw 11, CorelDraw 12, QuarkXPress); then
// writes the uninstall record and the uninstall log. Done when all of that succeeded; otherwise the first
// failure's result, with nothing undone: a copy's (InUse for a file another program holds), or the entry's or
// the log's. The log is written in every case (SaveMergedUninstallLog: this run's copies, then the earlier
// log's honoured records of files this run did not write and that still exist), so that every file any
// install placed stays on record; the uninstall entry only after every step succeeded. Uninstall items are
// appended, never cleared, so a retry on the same context logs the files of the failed attempt again. The
// front end's stage line shows the step, its detail line the file name; the stage bar runs 0..8, the file
// bar is moved only in the first step.
OpResult RunInstallSequence(InstallContext& context, FrontEnd& frontEnd);

// Installs one record into each of its destination folders, in order. Done when the record is not selected
// or every folder was installed; the first failed folder's result otherwise. bFileBar: whether this record
// moves the file bar.
OpResult InstallHost(HostRecord& record, HostFileList& arrUninstallItems, FrontEnd& frontEnd, bool bFileBar);
