// The install sequence: one installation from a filled InstallContext.
#pragma once

#include "setup/core/front_end.h"
#include "setup/core/install_context.h"

// Installs the selected records in the order runtime files, Office, Photoshop before CS2, Photoshop CS2,
// Illustrator, CorelDraw 11, CorelDraw 12, QuarkXPress; then writes the uninstall record and the
// uninstall log. True when all of that succeeded; false at the first failure, with nothing undone. The log
// is written in every case (SaveMergedUninstallLog: this run's copies, then the earlier log's records of
// files this run did not write and that still exist), so that every file any install placed stays on
// record; the uninstall entry only after every step succeeded. Uninstall items are appended, never
// cleared, so a retry on the same context logs the files of the failed attempt again.
// The front end's stage line shows the step, its detail line the file name; the stage bar runs 0..8, the
// file bar is moved only in the first step.
bool RunInstallSequence(InstallContext& context, FrontEnd& frontEnd);

// Installs one record into each of its destination folders, in order. True when the record is not
// selected or every folder was installed; false at the first folder that failed. bFileBar: whether this
// record moves the file bar.
bool InstallHost(InstallContext& context, HostRecord& record, HostFileList& arrUninstallItems, FrontEnd& frontEnd,
                 bool bFileBar);
